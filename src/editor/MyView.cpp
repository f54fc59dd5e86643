// The view of one script document: the colouring edit view with its gutter, the Settings' font, colours and tab width, and the edit commands.
#include "editor/MyView.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrinter>
#include <QMouseEvent>

#include "base/EditorFont.h"
#include "base/MessageBox.h"
#include "document/AutoIndent.h"
#include "editor/Cp932Text.h"
#include "editor/ViewDialogs.h"
#include "document/HintList.h"
#include "editor/LineNumberWnd.h"
#include "editor/PaneTexts.h"
#include "editor/ScriptPrinter.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace corvella {
namespace {

constexpr int kNumbersWidth = 31;  // the gutter's numbers, right of its mark strip

}  // namespace

CMyView::CMyView(QWidget* parent) : CSyntaxView(parent) {
  EnableDragDrop(3);
  m_wndGutter = new CLineNumberWnd;
  m_wndGutter->Create(kNumbersWidth, this);
  LayOutGutter();
  connect(m_wndGutter, &CLineNumberWnd::markClicked, this, &CMyView::ToggleBreakpoint);
  // Marks move with their lines; the numbers alone never change with the text.
  connect(this, &EditControl::textChanged, this, [this] {
    if (m_wndGutter->FitNumbers(Buffer().GetLineCount())) LayOutGutter();
    const TextDocument& doc = Document();
    if (!doc.Breakpoints().Empty() || !doc.ExecutionMark().Empty() || !doc.Errors().Empty()) m_wndGutter->update();
  });
  connect(this, &EditControl::selectionChanged, this, &CMyView::FollowCaretLine);
  RegisterEditCommands();
  RegisterScriptCommands();
}

void CMyView::ApplySettings(const Settings& s, const QFont& font) {
  SetEditorFont(font);
  SyntaxColors colors;
  colors.keyword = ColorFromRef(s.colors[kColorKeyword], kDefaultColors[kColorKeyword]);
  colors.comment = ColorFromRef(s.colors[kColorComment], kDefaultColors[kColorComment]);
  colors.string = ColorFromRef(s.colors[kColorString], kDefaultColors[kColorString]);
  colors.pattern = ColorFromRef(s.colors[kColorPattern], kDefaultColors[kColorPattern]);
  colors.subCall = ColorFromRef(s.colors[kColorSubCall], kDefaultColors[kColorSubCall]);
  SetColors(colors);
  SetTextColors(ColorFromRef(s.colors[kColorBack], kDefaultColors[kColorBack]),
                ColorFromRef(s.colors[kColorText], kDefaultColors[kColorText]));
  SetTabWidth(s.TabWidth);
  LayOutGutter();
  m_bAutoIndent = s.AutoIndent;
  SetStress(s.Stress);
  m_wndGutter->update();
}

// The gutter draws in the left margin: the mark strip, then the numbers,
// as wide as the last line's number needs.
void CMyView::LayOutGutter() {
  const int strip = GutterMarkStripWidth(LineHeight());
  m_wndGutter->SetMarkStrip(strip);
  m_wndGutter->FitNumbers(Buffer().GetLineCount());
  SetMargins(strip + m_wndGutter->NumbersWidth() + 1, 0);
}

void CMyView::RepaintMarks() {
  viewport()->update();
  m_wndGutter->update();
  if (hasFocus()) ShowErrorMessage();
}

void CMyView::ToggleBreakpoint(int line) {
  if (line < 0) return;
  if (m_toggleBreakpoint) {
    m_toggleBreakpoint(line);
    return;
  }
  Document().Breakpoints().Toggle(static_cast<std::size_t>(line));
  RepaintMarks();
}

void CMyView::ClearBreakpoints() {
  if (m_clearBreakpoints) {
    m_clearBreakpoints();
    return;
  }
  Document().Breakpoints().Clear();
  RepaintMarks();
}

void CMyView::FollowCaretLine() {
  const int line = static_cast<int>(std::as_const(*this).Buffer().LineFromChar(Sel().caret));
  if (line != m_wndGutter->CurrentLine()) {
    m_wndGutter->SetCurrentLine(m_wndGutter->CurrentLine(), line);
    ShowErrorMessage();
  }
}

// The caret's line's message in the status bar while it is on a marked line;
// leaving it gives the bar back.
void CMyView::ShowErrorMessage() {
  if (!m_showHint) return;
  const int line = static_cast<int>(std::as_const(*this).Buffer().LineFromChar(Sel().caret));
  const ErrorMarks::Mark* mark = Document().Errors().At(static_cast<std::size_t>(line));
  if (mark) {
    m_showHint(mark->message.substr(0, mark->message.find('\n')));
  } else if (m_bShowingError) {
    m_showHint({});
  }
  m_bShowingError = mark != nullptr;
}

void CMyView::GoToErrorMark(bool forward) {
  const EditBuffer& b = std::as_const(*this).Buffer();
  const std::size_t caretLine = b.LineFromChar(Sel().caret);
  const ErrorMarks& marks = Document().Errors();
  const std::optional<std::size_t> line = forward ? marks.Next(caretLine) : marks.Previous(caretLine);
  if (!line || *line >= b.GetLineCount()) return;
  SetSel(b.LineIndex(*line), b.LineIndex(*line));
  ScrollCaret();
  ShowErrorMessage();
}

void CMyView::focusInEvent(QFocusEvent* event) {
  CSyntaxView::focusInEvent(event);
  emit focusEntered(this);
}

void CMyView::RegisterEditCommands() {
  using namespace res;
  auto needText = [this](CmdUI& ui) { ui.enabled = Buffer().GetTextLength() > 0; };
  auto needSel = [this](CmdUI& ui) { ui.enabled = HasSelection(); };
  m_commands.On(ID_EDIT_UNDO, [this] { OnEditUndo(); }, [this](CmdUI& ui) { ui.enabled = CanUndo(); });
  m_commands.On(ID_EDIT_REDO, [this] { OnEditRedo(); }, [this](CmdUI& ui) { ui.enabled = CanRedo(); });
  m_commands.On(ID_EDIT_CUT, [this] { Cut(); }, needSel);
  m_commands.On(ID_EDIT_COPY, [this] { Copy(); }, needSel);
  m_commands.On(ID_EDIT_CLEAR, [this] { Clear(); }, needSel);
  m_commands.On(ID_EDIT_PASTE, [this] { Paste(); }, [](CmdUI& ui) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ui.enabled = data && data->hasText();
  });
  m_commands.On(ID_EDIT_SELECT_ALL, [this] { SelectAll(); }, needText);
  m_commands.On(ID_EDIT_FIND, [this] { OnEditFind(); }, needText);
  m_commands.On(ID_EDIT_REPLACE, [this] { OnEditReplace(); }, needText);
  m_commands.On(ID_EDIT_REPEAT, [this] { OnEditFindNext(); }, [this](CmdUI& ui) { ui.enabled = CanFindNext(); });
  m_commands.On(ID_EDIT_FIND_PREV, [this] { OnEditFindPrevious(); },
                [this](CmdUI& ui) { ui.enabled = CanFindNext(); });
}

void CMyView::RegisterScriptCommands() {
  using namespace res;
  m_commands.On(ID_EDIT_GOTO_LINE, [this] { OnGotoLine(); });
  m_commands.On(ID_EDIT_DELETE_TO_EOL, [this] { OnDeleteToEndOfLine(); });
  m_commands.On(ID_EDIT_CTRL_SHIFT_DELETE, [] {});
  m_commands.On(ID_DEBUG_TOGGLE_BREAKPOINT, [this] {
    ToggleBreakpoint(static_cast<int>(std::as_const(*this).Buffer().LineFromChar(Sel().caret)));
  });
  m_commands.On(ID_DEBUG_CLEAR_BREAKPOINTS, [this] { ClearBreakpoints(); },
                [this](CmdUI& ui) { ui.enabled = !Document().Breakpoints().Empty(); });
  const auto hasErrorMarks = [this](CmdUI& ui) { ui.enabled = !Document().Errors().Empty(); };
  m_commands.On(ID_NEXT_ERROR_MARK, [this] { GoToErrorMark(true); }, hasErrorMarks);
  m_commands.On(ID_PREV_ERROR_MARK, [this] { GoToErrorMark(false); }, hasErrorMarks);
  const auto header = [this] { return m_printHeader ? m_printHeader() : QString(); };
  m_commands.On(ID_FILE_PRINT, [this, header] { PrintScript(this, *this, header()); });
  m_commands.On(ID_FILE_PRINT_DIRECT, [this, header] {
    PaintScriptPages(SharedPrinter(), Buffer().GetText(), EditorFont(), TabWidth(), header());
  });
  m_commands.On(ID_FILE_PRINT_PREVIEW, [this, header] { PreviewScript(this, *this, header()); });
  // The pane is filled whenever asked, so that switching views shows the new
  // view's line at once, not only after its caret moves.
  m_commands.On(ID_INDICATOR_LINE, {}, [this](CmdUI& ui) {
    const EditBuffer& b = std::as_const(*this).Buffer();
    ui.text = QString::fromStdString(LinePaneText(static_cast<int>(b.LineFromChar(Sel().caret)) + 1));
  });
}

void CMyView::OnGotoLine() {
  if (!Dialogs()) return;
  const std::optional<unsigned> asked =
      Dialogs()->AskLine(this, static_cast<unsigned>(Buffer().LineFromChar(Buffer().GetSel().caret)) + 1);
  if (!asked) return;
  const std::size_t line = *asked - 1;
  if (line >= Buffer().GetLineCount()) {
    ShowMessage(this, QString::fromUtf8(str::kNoSuchLine), MsgIcon::Exclamation);
    return;
  }
  const std::size_t start = Buffer().LineIndex(line);
  SetSel(start, start);
  ScrollCaret();
}

// Deletes the selection, or else from the caret to the end of its line
// (the line break stays), as one undoable deletion.
void CMyView::OnDeleteToEndOfLine() {
  if (HasSelection()) {
    Clear();
    return;
  }
  const EditBuffer& b = Buffer();
  const std::size_t caret = b.GetSel().caret;
  const std::size_t line = b.LineFromChar(caret);
  const std::size_t end = b.LineIndex(line) + b.LineLength(line);
  if (end <= caret) return;
  SetRedraw(false);
  SetSel(caret, end);
  Clear();
  SetRedraw(true);
  SetSel(caret, caret);
  ScrollCaret();
}

void CMyView::OnTextNotFound(const std::string& what) {
  CSyntaxView::OnTextNotFound(what);
  ShowMessage(this, QString::fromUtf8(str::kTextNotFound).arg(SjisToQString(what)), MsgIcon::Exclamation);
}

// From the keyboard the menu opens at the mouse, as long as the mouse is over the text.
void CMyView::contextMenuEvent(QContextMenuEvent* event) {
  const QPoint global = event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : QCursor::pos();
  const QPoint local = viewport()->mapFromGlobal(global);
  if (!FormattingRect().contains(local) || !m_showContextMenu) return;
  m_showContextMenu(global);
}

// ---------------------------------------------------------------- typing

void CMyView::CharMessage(std::string_view ch) {
  if (ch.empty()) {
    CSyntaxView::CharMessage(ch);
    return;
  }
  const int c = ch.size() == 1 ? static_cast<unsigned char>(ch[0])
                               : (static_cast<unsigned char>(ch[0]) << 8) | static_cast<unsigned char>(ch[1]);
  EditBuffer& b = Buffer();
  // Indentation follows only a line break that is really inserted: a refused
  // Enter (read-only, text limit) must not leave an indent in its line.
  const bool indentEnter = m_bAutoIndent && c == '\r' && b.CanReplaceSel(2);
  const bool charFits = b.CanReplaceSel(ch.size());
  std::string prefix;
  if (indentEnter) {
    SetRedraw(false);
    const std::size_t selStart = b.GetSel().Start();
    const std::size_t lineStart = b.LineIndex(b.LineFromChar(selStart));
    prefix = b.GetText(lineStart, std::min(selStart, lineStart + kIndentPrefixLimit));
  }

  CSyntaxView::CharMessage(ch);

  if (IsHintLetter(ch)) ShowHintForWordBeforeCaret();

  if (indentEnter && !prefix.empty()) {
    // The state of the caret's line tells whether the line Enter was pressed
    // in (or the last line above it that is not empty) holds a comment.
    const std::size_t caretLine = b.LineFromChar(b.GetSel().End());
    const bool comment = CommentAbove(caretLine);
    const std::string indent = IndentAfterEnter(prefix, comment);
    if (!indent.empty()) ReplaceSelUndoable(indent);
  } else if (m_bAutoIndent && ch == "}" && charFits && m_chPrev == '\r') {
    const EditBuffer::Selection sel = b.GetSel();
    const std::size_t lineStart = b.LineIndex(b.LineFromChar(sel.caret));
    const std::string lineToCaret = b.GetText(lineStart, sel.caret);
    if (const auto from = BraceOutdentStart(lineToCaret, true, sel.IsEmpty())) {
      SetSel(lineStart + *from, sel.caret);
      ScrollCaret();
      ReplaceSelUndoable("}");
    }
  }
  m_chPrev = c;

  const EditBuffer::Selection sel = b.GetSel();
  if (indentEnter) SetRedraw(true);
  SetSel(sel.anchor, sel.caret);
  ScrollCaret();
}

void CMyView::ShowHintForWordBeforeCaret() {
  if (!m_findHint || !m_showHint) return;
  const EditBuffer& b = Buffer();
  m_showHint(m_findHint(WordBeforeCaret(b, b.GetSel().End())));
}

bool CMyView::KeyDownMessage(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
      m_chPrev = 0;
      break;
    default:
      break;
  }
  return CSyntaxView::KeyDownMessage(event);
}

void CMyView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_chPrev = 0;
  CSyntaxView::mousePressEvent(event);
}

}  // namespace corvella
