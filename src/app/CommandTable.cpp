// The command resources as data: texts per command, menus 128 / 129 / 138, toolbar 128, accelerators, status panes.
#include "app/CommandTable.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <stdexcept>

#include "res/DebuggerStrings.h"
#include "res/ErrorMarkStrings.h"
#include "res/PerldocStrings.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace corvella {

using namespace res;

namespace {

// A string-table entry holds the prompt, a line feed, then the tooltip.
constexpr CommandText Cmd(int id, std::string_view caption, std::string_view shortcut, std::string_view entry) {
  const std::size_t nl = entry.find('\n');
  return CommandText{id, caption, shortcut, entry.substr(0, nl),
                     nl == std::string_view::npos ? std::string_view() : entry.substr(nl + 1)};
}

constexpr auto kCommands = std::to_array<CommandText>({
    Cmd(ID_FILE_NEW, str::kCmdFileNewCaption, "Ctrl+N", str::kCmdFileNewPrompt),
    Cmd(ID_FILE_OPEN, str::kCmdFileOpenCaption, "Ctrl+O", str::kCmdFileOpenPrompt),
    Cmd(ID_FILE_CLOSE, str::kCmdFileCloseCaption, "", str::kCmdFileClosePrompt),
    Cmd(ID_FILE_SAVE, str::kCmdFileSaveCaption, "Ctrl+S", str::kCmdFileSavePrompt),
    Cmd(ID_FILE_SAVE_AS, str::kCmdFileSaveAsCaption, "", str::kCmdFileSaveAsPrompt),
    Cmd(ID_FILE_SAVE_ALL, str::kCmdFileSaveAllCaption, "", str::kCmdFileSaveAllPrompt),
    Cmd(ID_FILE_HTML_EXPORT, str::kHtmlExportCaption, "", str::kHtmlExportPrompt),
    Cmd(ID_FILE_PRINT, str::kCmdFilePrintCaption, "Ctrl+P", str::kCmdFilePrintPrompt),
    Cmd(ID_FILE_PRINT_PREVIEW, str::kCmdFilePrintPreviewCaption, "", str::kCmdFilePrintPreviewPrompt),
    Cmd(ID_FILE_PRINT_SETUP, str::kCmdFilePrintSetupCaption, "", str::kCmdFilePrintSetupPrompt),
    Cmd(ID_FILE_MRU_FILE1, str::kCmdRecentFileCaption, "", str::kCmdRecentFilePrompt),
    Cmd(ID_APP_EXIT, str::kCmdAppExitCaption, "", str::kCmdAppExitPrompt),
    Cmd(ID_EDIT_UNDO, str::kCmdEditUndoCaption, "Ctrl+Z", str::kCmdEditUndoPrompt),
    Cmd(ID_EDIT_REDO, str::kCmdEditRedoCaption, "Ctrl+Y", str::kCmdEditRedoPrompt),
    Cmd(ID_EDIT_CUT, str::kCmdEditCutCaption, "Ctrl+X", str::kCmdEditCutPrompt),
    Cmd(ID_EDIT_COPY, str::kCmdEditCopyCaption, "Ctrl+C", str::kCmdEditCopyPrompt),
    Cmd(ID_EDIT_PASTE, str::kCmdEditPasteCaption, "Ctrl+V", str::kCmdEditPastePrompt),
    Cmd(ID_EDIT_CLEAR, str::kCmdEditClearCaption, "Del", str::kCmdEditClearPrompt),
    Cmd(ID_EDIT_SELECT_ALL, str::kCmdEditSelectAllCaption, "Ctrl+A", str::kCmdEditSelectAllPrompt),
    Cmd(ID_EDIT_FIND, str::kCmdEditFindCaption, "Ctrl+F", str::kCmdEditFindPrompt),
    Cmd(ID_EDIT_REPEAT, str::kCmdEditFindNextCaption, "F3", str::kCmdEditFindNextPrompt),
    Cmd(ID_EDIT_FIND_PREV, str::kCmdEditFindPrevCaption, "Shift+F3", str::kCmdEditFindPrevPrompt),
    Cmd(ID_EDIT_REPLACE, str::kCmdEditReplaceCaption, "Ctrl+H", str::kCmdEditReplacePrompt),
    Cmd(ID_EDIT_GOTO_LINE, str::kCmdGotoLineCaption, "Ctrl+G", str::kCmdGotoLinePrompt),
    Cmd(ID_VIEW_TOOLBAR, str::kCmdViewToolbarCaption, "", str::kCmdViewToolbarPrompt),
    Cmd(ID_VIEW_STATUS_BAR, str::kCmdViewStatusBarCaption, "", str::kCmdViewStatusBarPrompt),
    Cmd(ID_VIEW_AUTO_INDENT, str::kCmdAutoIndentCaption, "", str::kCmdAutoIndentPrompt),
    Cmd(ID_VIEW_SYNTAX_COLOR, str::kCmdSyntaxColorCaption, "", str::kCmdSyntaxColorPrompt),
    Cmd(ID_VIEW_FONT, str::kCmdViewFontCaption, "", str::kCmdViewFontPrompt),
    Cmd(ID_COMMAND_RUN, str::kCmdRunCaption, "F7", str::kCmdRunPrompt),
    Cmd(ID_COMMAND_RUN_ARGS, str::kCmdRunArgsCaption, "F8", str::kCmdRunArgsPrompt),
    Cmd(ID_COMMAND_BROWSER, str::kCmdBrowserCaption, "F9", str::kCmdBrowserPrompt),
    Cmd(ID_COMMAND_STOP, str::kCmdStopRunCaption, "", str::kCmdStopRunPrompt),
    Cmd(ID_COMMAND_DEBUG_RUN, str::kCmdRunCaption, "", str::kCmdRunPrompt),
    Cmd(ID_COMMAND_DEBUG_RUN_ARGS, str::kCmdRunArgsCaption, "", str::kCmdRunArgsPrompt),
    Cmd(ID_COMMAND_WARN_RUN, str::kCmdRunCaption, "", str::kCmdRunPrompt),
    Cmd(ID_COMMAND_WARN_RUN_ARGS, str::kCmdRunArgsCaption, "", str::kCmdRunArgsPrompt),
    Cmd(ID_COMMAND_SYNTAX_CHECK, str::kCmdSyntaxCheckCaption, "", str::kCmdSyntaxCheckPrompt),
    Cmd(ID_COMMAND_VERSION, str::kCmdPerlVersionCaption, "", str::kCmdPerlVersionPrompt),
    Cmd(ID_COMMAND_CONFIG, str::kCmdPerlConfigCaption, "", str::kCmdPerlConfigPrompt),
    Cmd(ID_COMMAND_USE_JPERL, str::kCmdUseJPerlCaption, "", str::kCmdUseJPerlPrompt),
    Cmd(ID_COMMAND_INSIDE_MODE, str::kCmdInsideModeCaption, "", str::kCmdInsideModePrompt),
    Cmd(ID_COMMAND_SETTINGS, str::kCmdSettingsCaption, "", str::kCmdSettingsPrompt),
    Cmd(ID_DEBUG_TYPED_INPUT, str::kCmdTypedInputCaption, "", str::kCmdTypedInputPrompt),
    Cmd(ID_TEMPLATE_ADD, str::kCmdTemplateAddCaption, "", str::kCmdTemplateAddPrompt),
    Cmd(ID_TEMPLATE_ORGANIZE, str::kCmdTemplateOrganizeCaption, "", str::kCmdTemplateOrganizePrompt),
    Cmd(ID_WINDOW_CLOSE_ALL, str::kCmdCloseAllCaption, "", str::kCmdCloseAllPrompt),
    Cmd(ID_WINDOW_CASCADE, str::kCmdCascadeCaption, "", str::kCmdCascadePrompt),
    Cmd(ID_WINDOW_TILE_HORZ, str::kCmdTileHorzCaption, "", str::kCmdTileHorzPrompt),
    Cmd(ID_WINDOW_TILE_VERT, str::kCmdTileVertCaption, "", str::kCmdTileVertPrompt),
    Cmd(ID_WINDOW_ARRANGE, str::kCmdArrangeIconsCaption, "", str::kCmdArrangeIconsPrompt),
    Cmd(ID_WINDOW_SPLIT_VIEW, str::kCmdSplitViewCaption, "", str::kCmdSplitViewPrompt),
    Cmd(ID_WINDOW_UNSPLIT_VIEW, str::kCmdUnsplitViewCaption, "", str::kCmdUnsplitViewPrompt),
    Cmd(ID_DEBUG_GO, str::kCmdDebugGoCaption, "F5", str::kCmdDebugGoPrompt),
    Cmd(ID_DEBUG_STEP_INTO, str::kCmdDebugStepIntoCaption, "F11", str::kCmdDebugStepIntoPrompt),
    Cmd(ID_DEBUG_STEP_OVER, str::kCmdDebugStepOverCaption, "F10", str::kCmdDebugStepOverPrompt),
    Cmd(ID_DEBUG_STEP_OUT, str::kCmdDebugStepOutCaption, "Shift+F11", str::kCmdDebugStepOutPrompt),
    Cmd(ID_DEBUG_RUN_TO_CARET, str::kCmdDebugRunToCaretCaption, "Ctrl+F10", str::kCmdDebugRunToCaretPrompt),
    Cmd(ID_DEBUG_END, str::kCmdDebugEndCaption, "Shift+F5", str::kCmdDebugEndPrompt),
    Cmd(ID_DEBUG_SHOW_PANES, str::kCmdDebugPanesCaption, "", str::kCmdDebugPanesPrompt),
    Cmd(ID_HELP_README, str::kCmdReadmeCaption, "", str::kCmdReadmePrompt),
    Cmd(ID_HELP_ASSOCIATE, str::kCmdAssociateCaption, "", str::kCmdAssociatePrompt),
    Cmd(ID_HELP_SHORTCUT, str::kCmdCreateShortcutCaption, "", str::kCmdCreateShortcutPrompt),
    Cmd(ID_HELP_REPORT, str::kCmdReportCaption, "", str::kCmdReportPrompt),
    Cmd(ID_APP_ABOUT, str::kCmdAboutCaption, "", str::kCmdAboutPrompt),
    Cmd(ID_HELP_PERLDOC, str::kCmdPerldocCaption, "F1", str::kCmdPerldocPrompt),
    Cmd(ID_VIEW_PERLDOC_PANE, str::kCmdPerldocPaneCaption, "", str::kCmdPerldocPanePrompt),
    Cmd(ID_DEBUG_TOGGLE_BREAKPOINT, str::kCmdToggleBreakpointCaption, "Ctrl+F9", str::kCmdToggleBreakpointPrompt),
    Cmd(ID_DEBUG_CLEAR_BREAKPOINTS, str::kCmdClearBreakpointsCaption, "", str::kCmdClearBreakpointsPrompt),
    Cmd(ID_NEXT_ERROR_MARK, str::kCmdNextErrorMarkCaption, "F4", str::kCmdNextErrorMarkPrompt),
    Cmd(ID_PREV_ERROR_MARK, str::kCmdPrevErrorMarkCaption, "Shift+F4", str::kCmdPrevErrorMarkPrompt),
    Cmd(ID_BACKGROUND_CHECK, str::kCmdBackgroundCheckCaption, "", str::kCmdBackgroundCheckPrompt),
});

MenuItem C(int id) { return MenuItem{MenuItem::Kind::Command, id, {}, {}}; }
MenuItem Sep() { return MenuItem{}; }
MenuItem Popup(std::string_view caption, std::vector<MenuItem> items) {
  return MenuItem{MenuItem::Kind::Popup, 0, caption, std::move(items)};
}

MenuItem ViewPopup() {
  return Popup(str::kViewMenuCaption, {C(ID_VIEW_TOOLBAR), C(ID_VIEW_STATUS_BAR), Sep(), C(ID_VIEW_AUTO_INDENT),
                                       C(ID_VIEW_SYNTAX_COLOR), Sep(), C(ID_VIEW_FONT)});
}

MenuItem HelpPopup() {
  return Popup(str::kHelpMenuCaption, {C(ID_HELP_README), Sep(), C(ID_HELP_ASSOCIATE), C(ID_HELP_SHORTCUT), Sep(),
                                       C(ID_HELP_REPORT), C(ID_APP_ABOUT), Sep(), C(ID_HELP_PERLDOC),
                                       C(ID_VIEW_PERLDOC_PANE)});
}

MenuItem DebugPopup() { return Popup(str::kDebugMenuCaption, {C(ID_COMMAND_DEBUG_RUN), C(ID_COMMAND_DEBUG_RUN_ARGS)}); }
MenuItem WarnPopup() { return Popup(str::kWarnCheckMenuCaption, {C(ID_COMMAND_WARN_RUN), C(ID_COMMAND_WARN_RUN_ARGS)}); }

MenuResource MakeMenu128() {
  return MenuResource{
      IDR_MAINFRAME, true,
      {Popup(str::kFileMenuCaption, {C(ID_FILE_NEW), C(ID_FILE_OPEN), Sep(), C(ID_FILE_PRINT_SETUP), Sep(),
                                     C(ID_FILE_MRU_FILE1), Sep(), C(ID_APP_EXIT)}),
       ViewPopup(),
       Popup(str::kCommandMenuCaption, {C(ID_COMMAND_STOP), Sep(), C(ID_COMMAND_VERSION), C(ID_COMMAND_CONFIG), Sep(),
                                        C(ID_COMMAND_USE_JPERL), C(ID_COMMAND_INSIDE_MODE), Sep(),
                                        C(ID_COMMAND_SETTINGS)}),
       HelpPopup()}};
}

MenuResource MakeMenu129() {
  return MenuResource{
      IDR_PLUMOTYPE, true,
      {Popup(str::kFileMenuCaption,
             {C(ID_FILE_NEW), C(ID_FILE_OPEN), C(ID_FILE_CLOSE), Sep(), C(ID_FILE_SAVE), C(ID_FILE_SAVE_AS),
              C(ID_FILE_SAVE_ALL), Sep(), C(ID_FILE_HTML_EXPORT), Sep(), C(ID_FILE_PRINT), C(ID_FILE_PRINT_PREVIEW),
              C(ID_FILE_PRINT_SETUP), Sep(), C(ID_FILE_MRU_FILE1), Sep(), C(ID_APP_EXIT)}),
       Popup(str::kEditMenuCaption,
             {C(ID_EDIT_UNDO), C(ID_EDIT_REDO), Sep(), C(ID_EDIT_CUT), C(ID_EDIT_COPY), C(ID_EDIT_PASTE),
              C(ID_EDIT_CLEAR), Sep(), C(ID_EDIT_SELECT_ALL), Sep(), C(ID_EDIT_FIND), C(ID_EDIT_REPEAT),
              C(ID_EDIT_FIND_PREV), C(ID_EDIT_REPLACE), Sep(), C(ID_EDIT_GOTO_LINE)}),
       ViewPopup(),
       Popup(str::kCommandMenuCaption,
             {C(ID_COMMAND_RUN), C(ID_COMMAND_RUN_ARGS), C(ID_COMMAND_BROWSER), Sep(), C(ID_COMMAND_STOP), Sep(),
              DebugPopup(), WarnPopup(), C(ID_COMMAND_SYNTAX_CHECK), Sep(), C(ID_COMMAND_VERSION),
              C(ID_COMMAND_CONFIG), Sep(), C(ID_COMMAND_USE_JPERL), C(ID_COMMAND_INSIDE_MODE), Sep(),
              C(ID_COMMAND_SETTINGS)}),
       // The template items (from ID_TEMPLATE_FIRST) and macro items (from
       // ID_MACRO_FIRST) are appended after the trailing separators at run time.
       Popup(str::kDebuggerMenuCaption,
             {C(ID_DEBUG_GO), C(ID_DEBUG_STEP_INTO), C(ID_DEBUG_STEP_OVER), C(ID_DEBUG_STEP_OUT),
              C(ID_DEBUG_RUN_TO_CARET), C(ID_DEBUG_END), Sep(), C(ID_DEBUG_TOGGLE_BREAKPOINT),
              C(ID_DEBUG_CLEAR_BREAKPOINTS), Sep(), C(ID_DEBUG_SHOW_PANES), C(ID_DEBUG_TYPED_INPUT), Sep(), C(ID_NEXT_ERROR_MARK),
              C(ID_PREV_ERROR_MARK), C(ID_BACKGROUND_CHECK)}),
       Popup(str::kTemplateMenuCaption, {C(ID_TEMPLATE_ADD), C(ID_TEMPLATE_ORGANIZE), Sep()}),
       Popup(str::kMacroMenuCaption, {Sep()}),
       Popup(str::kWindowMenuCaption, {C(ID_WINDOW_CLOSE_ALL), Sep(), C(ID_WINDOW_CASCADE), C(ID_WINDOW_TILE_HORZ),
                                       C(ID_WINDOW_TILE_VERT), C(ID_WINDOW_ARRANGE), Sep(), C(ID_WINDOW_SPLIT_VIEW),
                                       C(ID_WINDOW_UNSPLIT_VIEW)}),
       HelpPopup()}};
}

MenuResource MakeMenu138() {
  return MenuResource{
      IDR_CONTEXT, false,
      {Popup({}, {C(ID_EDIT_UNDO), C(ID_EDIT_REDO), Sep(), C(ID_EDIT_CUT), C(ID_EDIT_COPY), C(ID_EDIT_PASTE),
                  C(ID_EDIT_CLEAR), Sep(), C(ID_EDIT_SELECT_ALL), Sep(), C(ID_COMMAND_RUN), C(ID_COMMAND_RUN_ARGS),
                  C(ID_COMMAND_BROWSER), Sep(), C(ID_COMMAND_STOP), Sep(), DebugPopup(), WarnPopup(),
                  C(ID_COMMAND_SYNTAX_CHECK), Sep(), C(ID_DEBUG_TOGGLE_BREAKPOINT),
                  C(ID_DEBUG_CLEAR_BREAKPOINTS)})}};
}

constexpr auto kToolbar = std::to_array<int>({
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_EDIT_REDO, ID_SEPARATOR,
    ID_EDIT_FIND, ID_EDIT_REPLACE, ID_SEPARATOR,
    ID_COMMAND_RUN, ID_COMMAND_RUN_ARGS, ID_COMMAND_BROWSER, ID_COMMAND_SYNTAX_CHECK, ID_COMMAND_USE_JPERL, ID_SEPARATOR,
    ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_SEPARATOR,
    ID_FILE_PRINT, ID_SEPARATOR,
    ID_APP_ABOUT, ID_SEPARATOR,
    ID_DEBUG_GO, ID_DEBUG_STEP_INTO, ID_DEBUG_STEP_OVER, ID_DEBUG_STEP_OUT, ID_DEBUG_END, ID_DEBUG_TOGGLE_BREAKPOINT,
});

constexpr std::uint8_t kCtrl = kAccelControl;
constexpr std::uint8_t kShift = kAccelShift;
constexpr std::uint8_t kAlt = kAccelAlt;
constexpr std::uint16_t kF3 = vk::kF1 + 2;
constexpr std::uint16_t kF4 = vk::kF1 + 3;
constexpr std::uint16_t kF6 = vk::kF1 + 5;
constexpr std::uint16_t kF7 = vk::kF1 + 6;
constexpr std::uint16_t kF8 = vk::kF1 + 7;
constexpr std::uint16_t kF9 = vk::kF1 + 8;
constexpr std::uint16_t kF5 = vk::kF1 + 4;
constexpr std::uint16_t kF10 = vk::kF1 + 9;
constexpr std::uint16_t kF11 = vk::kF1 + 10;

constexpr auto kAccelerators = std::to_array<Accelerator>({
    {'A', kCtrl, ID_EDIT_SELECT_ALL},
    {'C', kCtrl, ID_EDIT_COPY},
    {'F', kCtrl, ID_EDIT_FIND},
    {'G', kCtrl, ID_EDIT_GOTO_LINE},
    {'H', kCtrl, ID_EDIT_REPLACE},
    {'N', kCtrl, ID_FILE_NEW},
    {'O', kCtrl, ID_FILE_OPEN},
    {'P', kCtrl, ID_FILE_PRINT},
    {'S', kCtrl, ID_FILE_SAVE},
    {'T', kCtrl, ID_SWITCH_FOCUS},
    {'V', kCtrl, ID_EDIT_PASTE},
    {vk::kBack, kAlt, ID_EDIT_UNDO},
    {vk::kDelete, kCtrl, ID_EDIT_DELETE_TO_EOL},
    {'X', kCtrl, ID_EDIT_CUT},
    {'Z', kCtrl, ID_EDIT_UNDO},
    {vk::kDelete, kShift, ID_EDIT_CUT},
    {vk::kDelete, kCtrl | kShift, ID_EDIT_CTRL_SHIFT_DELETE},
    {kF3, 0, ID_EDIT_REPEAT},
    {kF3, kShift, ID_EDIT_FIND_PREV},
    {kF6, 0, ID_NEXT_PANE},
    {kF6, kShift, ID_PREV_PANE},
    {kF7, 0, ID_COMMAND_RUN},
    {kF8, 0, ID_COMMAND_RUN_ARGS},
    {kF9, 0, ID_COMMAND_BROWSER},
    {kF9, kCtrl, ID_DEBUG_TOGGLE_BREAKPOINT},
    {kF4, 0, ID_NEXT_ERROR_MARK},
    {kF4, kShift, ID_PREV_ERROR_MARK},
    {kF5, 0, ID_DEBUG_GO},
    {kF5, kShift, ID_DEBUG_END},
    {kF10, 0, ID_DEBUG_STEP_OVER},
    {kF10, kCtrl, ID_DEBUG_RUN_TO_CARET},
    {kF11, 0, ID_DEBUG_STEP_INTO},
    {kF11, kShift, ID_DEBUG_STEP_OUT},
    {vk::kInsert, kCtrl, ID_EDIT_COPY},
    {vk::kInsert, kShift, ID_EDIT_PASTE},
    {vk::kNext, kCtrl, ID_NEXT_TAB},
    {vk::kPrior, kCtrl, ID_PREV_TAB},
    {'Y', kCtrl, ID_EDIT_REDO},
    {vk::kF1, 0, ID_HELP_PERLDOC},
    // The keys other programs of the desktop close a document with.
    {kF4, kCtrl, ID_FILE_CLOSE},
    {'W', kCtrl, ID_FILE_CLOSE},
});

constexpr auto kStatusPanes = std::to_array<StatusPane>({
    {ID_SEPARATOR, {}},
    {ID_INDICATOR_LINE, str::kPaneLine},
    {ID_INDICATOR_KANJI, str::kPaneEncoding},
    {ID_INDICATOR_CRLF, str::kPaneNewline},
    {ID_INDICATOR_KANA, str::kPaneKana},
    {ID_INDICATOR_CAPS, str::kPaneCaps},
    {ID_INDICATOR_NUM, str::kPaneNum},
    {ID_INDICATOR_SCRL, str::kPaneScroll},
});

}  // namespace

std::span<const CommandText> CommandTexts() { return kCommands; }

const CommandText* FindCommandText(int id) {
  const auto it = std::find_if(kCommands.begin(), kCommands.end(), [id](const CommandText& c) { return c.id == id; });
  return it == kCommands.end() ? nullptr : &*it;
}

const MenuResource& FindMenuResource(int menuId) {
  static const MenuResource menu128 = MakeMenu128();
  static const MenuResource menu129 = MakeMenu129();
  static const MenuResource menu138 = MakeMenu138();
  switch (menuId) {
    case IDR_MAINFRAME: return menu128;
    case IDR_PLUMOTYPE: return menu129;
    case IDR_CONTEXT: return menu138;
    default: throw std::invalid_argument("no menu resource " + std::to_string(menuId));
  }
}

std::span<const int> ToolbarButtons() { return kToolbar; }

std::span<const Accelerator> AcceleratorTable() { return kAccelerators; }

std::vector<Accelerator> AcceleratorsOf(int id) {
  std::vector<Accelerator> keys;
  std::copy_if(kAccelerators.begin(), kAccelerators.end(), std::back_inserter(keys),
               [id](const Accelerator& a) { return a.id == id; });
  if (const CommandText* text = FindCommandText(id); text && !text->shortcut.empty()) {
    std::stable_partition(keys.begin(), keys.end(),
                          [text](const Accelerator& a) { return AcceleratorText(a) == text->shortcut; });
  }
  return keys;
}

std::string AcceleratorText(const Accelerator& accel) {
  std::string text;
  if (accel.modifiers & kAccelControl) text += "Ctrl+";
  if (accel.modifiers & kAccelShift) text += "Shift+";
  if (accel.modifiers & kAccelAlt) text += "Alt+";
  const std::uint16_t key = accel.key;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    text += static_cast<char>(key);
  } else if (key >= vk::kF1 && key <= vk::kF12) {
    text += "F" + std::to_string(key - vk::kF1 + 1);
  } else {
    switch (key) {
      case vk::kBack: text += "Back"; break;
      case vk::kPrior: text += "PgUp"; break;
      case vk::kNext: text += "PgDn"; break;
      case vk::kInsert: text += "Ins"; break;
      case vk::kDelete: text += "Del"; break;
      default: {
        static constexpr char kHex[] = "0123456789ABCDEF";
        text += "0x";
        text += kHex[(key >> 4) & 0xF];
        text += kHex[key & 0xF];
      }
    }
  }
  return text;
}

std::span<const StatusPane> StatusPanes() { return kStatusPanes; }

}  // namespace corvella
