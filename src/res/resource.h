// Numeric ids of commands, menus, strings, dialogs, controls and other resources, shared by every layer.
#pragma once

namespace corvella::res {

// The framework's standard commands.
inline constexpr int ID_SEPARATOR = 0;  // a status pane or toolbar slot without a command

inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_CLOSE = 57602;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_DIRECT = 57608;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;  // first of the eight recent-file entries
inline constexpr int ID_FILE_MRU_COUNT = 8;

inline constexpr int ID_EDIT_CLEAR = 57632;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_FIND = 57636;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_REPEAT = 57640;  // find next
inline constexpr int ID_EDIT_REPLACE = 57641;
inline constexpr int ID_EDIT_SELECT_ALL = 57642;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_EDIT_REDO = 57644;

inline constexpr int ID_WINDOW_ARRANGE = 57649;
inline constexpr int ID_WINDOW_CASCADE = 57650;
inline constexpr int ID_WINDOW_TILE_HORZ = 57651;  // one above the other
inline constexpr int ID_WINDOW_TILE_VERT = 57652;  // side by side

inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;

inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;

// The toolbar and status bar toggles carry the ids of the bars they show.
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;

// The program's own commands.
inline constexpr int ID_VIEW_FONT = 32770;
inline constexpr int ID_NEXT_TAB = 32771;
inline constexpr int ID_PREV_TAB = 32772;
inline constexpr int ID_COMMAND_RUN = 32773;
inline constexpr int ID_COMMAND_RUN_ARGS = 32774;
inline constexpr int ID_COMMAND_SETTINGS = 32775;
inline constexpr int ID_WINDOW_CLOSE_ALL = 32776;
inline constexpr int ID_HELP_ASSOCIATE = 32777;
inline constexpr int ID_HELP_README = 32778;
inline constexpr int ID_COMMAND_INSIDE_MODE = 32779;  // run without a console window
inline constexpr int ID_VIEW_AUTO_INDENT = 32780;
inline constexpr int ID_EDIT_GOTO_LINE = 32781;
inline constexpr int ID_VIEW_SYNTAX_COLOR = 32782;
inline constexpr int ID_COMMAND_VERSION = 32783;
inline constexpr int ID_COMMAND_SYNTAX_CHECK = 32784;
inline constexpr int ID_COMMAND_DEBUG_RUN = 32785;
inline constexpr int ID_COMMAND_DEBUG_RUN_ARGS = 32786;
inline constexpr int ID_COMMAND_STOP = 32787;
inline constexpr int ID_COMMAND_USE_JPERL = 32789;
inline constexpr int ID_COMMAND_BROWSER = 32793;
inline constexpr int ID_COMMAND_WARN_RUN = 32794;
inline constexpr int ID_COMMAND_WARN_RUN_ARGS = 32795;
inline constexpr int ID_TEMPLATE_ADD = 32796;
inline constexpr int ID_TEMPLATE_ORGANIZE = 32797;
inline constexpr int ID_HELP_SHORTCUT = 32798;
inline constexpr int ID_FILE_SAVE_ALL = 32799;
inline constexpr int ID_FILE_HTML_EXPORT = 32801;
inline constexpr int ID_HELP_REPORT = 32802;
inline constexpr int ID_SWITCH_FOCUS = 32803;
inline constexpr int ID_EDIT_FIND_PREV = 32804;
inline constexpr int ID_COMMAND_CONFIG = 32805;
inline constexpr int ID_EDIT_CTRL_SHIFT_DELETE = 32806;  // bound so that the key does nothing
inline constexpr int ID_EDIT_DELETE_TO_EOL = 32807;
inline constexpr int ID_WINDOW_SPLIT_VIEW = 32808;    // two views of the active document, one above the other
inline constexpr int ID_WINDOW_UNSPLIT_VIEW = 32809;  // back to the view that has the focus
// The debugger inside the window and typed input for runs.
inline constexpr int ID_DEBUG_GO = 32810;              // start a session, or continue it
inline constexpr int ID_DEBUG_STEP_INTO = 32811;
inline constexpr int ID_DEBUG_STEP_OVER = 32812;
inline constexpr int ID_DEBUG_STEP_OUT = 32813;
inline constexpr int ID_DEBUG_RUN_TO_CARET = 32814;
inline constexpr int ID_DEBUG_END = 32815;             // ends the session and its process group
inline constexpr int ID_DEBUG_TOGGLE_BREAKPOINT = 32816;
inline constexpr int ID_DEBUG_CLEAR_BREAKPOINTS = 32817;
inline constexpr int ID_DEBUG_SHOW_PANES = 32818;
inline constexpr int ID_DEBUG_TYPED_INPUT = 32819;     // check item: a hidden run's standard input from the input line
// Errors in the gutter, perldoc, the sub list.
inline constexpr int ID_NEXT_ERROR_MARK = 32820;
inline constexpr int ID_PREV_ERROR_MARK = 32821;
inline constexpr int ID_BACKGROUND_CHECK = 32822;  // check item: perl -c over a copy while typing pauses
inline constexpr int ID_HELP_PERLDOC = 32823;      // documentation of the word at the caret
inline constexpr int ID_VIEW_PERLDOC_PANE = 32824;
inline constexpr int ID_VIEW_SUB_LIST = 32825;     // the package and sub list of the active document

// Menu items made from the files of the template and macro folders. Ids are
// handed out upward from the first; a template id never reaches the macro range.
inline constexpr int ID_TEMPLATE_FIRST = 200;
inline constexpr int ID_TEMPLATE_LAST = 599;
inline constexpr int ID_MACRO_FIRST = 600;
inline constexpr int ID_MACRO_LAST = 999;

// Status bar panes.
inline constexpr int ID_INDICATOR_CAPS = 59137;
inline constexpr int ID_INDICATOR_NUM = 59138;
inline constexpr int ID_INDICATOR_SCRL = 59139;
inline constexpr int ID_INDICATOR_KANA = 59142;
inline constexpr int ID_INDICATOR_LINE = 59143;
inline constexpr int ID_INDICATOR_KANJI = 59144;  // encoding of the active document
inline constexpr int ID_INDICATOR_CRLF = 59145;   // newline convention of the active document

// Control bars.
inline constexpr int AFX_IDW_TOOLBAR = 59392;
inline constexpr int AFX_IDW_STATUS_BAR = 59393;
inline constexpr int IDC_OUTPUT_BAR = 131;  // the output pane, and its edit control inside it

// Menus, toolbar, accelerators and the document template.
inline constexpr int IDR_MAINFRAME = 128;  // menu without documents, toolbar, accelerator table, program icon
inline constexpr int IDR_PLUMOTYPE = 129;  // menu with documents open, document template
inline constexpr int IDR_CONTEXT = 138;    // context menu of the script view

// Strings.
inline constexpr int IDS_FILE_FILTER = 130;
inline constexpr int IDS_OUTPUT_TITLE = 131;
inline constexpr int AFX_IDS_APP_TITLE = 57344;
inline constexpr int AFX_IDS_IDLEMESSAGE = 57345;
inline constexpr int AFX_IDP_FILE_TOO_LARGE = 61701;

// Dialogs and their controls.
inline constexpr int IDD_GOTO_LINE = 132;
inline constexpr int IDD_CGI = 138;
inline constexpr int IDC_CGI_POST = 1003, IDC_CGI_GET = 1004, IDC_CGI_ARGS = 1009, IDC_CGI_NAME = 1000,
                     IDC_CGI_VALUE = 1006, IDC_CGI_LIST = 1033, IDC_CGI_SET = 1034, IDC_CGI_DELETE = 1035,
                     IDC_CGI_DELETE_ALL = 1036;
inline constexpr int IDD_ARGUMENTS = 130;
inline constexpr int IDC_ARGUMENTS = 1005;
inline constexpr int IDC_LINE_NUMBER = 1000;

inline constexpr int IDD_HTML_FORMAT = 133;
inline constexpr int IDC_HTML_KWD = 1016;
inline constexpr int IDC_HTML_COM = 1017;
inline constexpr int IDC_HTML_STR = 1018;
inline constexpr int IDC_HTML_REG = 1019;
inline constexpr int IDC_HTML_SUB = 1020;

inline constexpr int IDD_FILE_OPEN_EXT = 135;     // child template of the open dialog
inline constexpr int IDD_FILE_SAVE_AS_EXT = 136;  // child template of the save-as dialog
inline constexpr int IDC_AUTO_DETECT = 1005;
inline constexpr int IDC_NEWLINE_CODE = 1006;
inline constexpr int IDC_KANJI_CODE = 1037;

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDC_ABOUT_URL = 1000;    // the maker's web address, a hyperlink label
inline constexpr int IDC_ABOUT_MAIL = 1001;   // the maker's "mailto:" address, a hyperlink label
inline constexpr int IDC_ABOUT_BUILD = 1002;  // the build date and time

inline constexpr int IDD_ASSOC = 142;
inline constexpr int IDC_ASSOC_PL = 1000, IDC_ASSOC_CGI = 1001;
inline constexpr int IDD_SHORTCUT = 141;
inline constexpr int IDC_SHORTCUT_DESKTOP = 1011, IDC_SHORTCUT_PROGRAMS = 1012, IDC_SHORTCUT_SENDTO = 1013;

inline constexpr int IDD_COLOR_FONT = 134;  // the editor font dialog and its colour buttons
inline constexpr int IDC_COLOR_BACK = 1025;
inline constexpr int IDC_COLOR_KEYWORD = 1027;
inline constexpr int IDC_COLOR_COMMENT = 1028;
inline constexpr int IDC_COLOR_STRING = 1029;
inline constexpr int IDC_COLOR_TEXT = 1030;
inline constexpr int IDC_COLOR_SUBCALL = 1031;
inline constexpr int IDC_COLOR_PATTERN = 1032;

// Cursors.
inline constexpr int IDC_MIRROR_ARROW = 130;  // the gutter's arrow, pointing up and to the right

// Timers.
inline constexpr int ID_TAB_TIMER = 333;  // the document tab bar's refresh, every 500 ms

}  // namespace corvella::res
