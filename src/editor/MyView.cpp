// The view of one script document: the colouring edit view with its gutter, the Settings' font, colours and tab width, and the edit commands.
#include "editor/MyView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/EditorFont.h"
#include "editor/LineNumberWnd.h"
#include "res/resource.h"

namespace corvella {

CMyView::CMyView(QWidget* parent) : CSyntaxView(parent) {
  EnableDragDrop(3);
  SetMargins(32, 0);  // the gutter draws in the left margin
  m_wndGutter = new CLineNumberWnd;
  m_wndGutter->Create(31, this);
  connect(this, &EditControl::selectionChanged, this, &CMyView::FollowCaretLine);
  RegisterEditCommands();
}

void CMyView::ApplySettings(const Settings& s, const QFont& font) {
  SetEditorFont(font);
  m_crKeyword = ColorFromRef(s.colors[kColorKeyword], kDefaultColors[kColorKeyword]);
  m_crComment = ColorFromRef(s.colors[kColorComment], kDefaultColors[kColorComment]);
  m_crString = ColorFromRef(s.colors[kColorString], kDefaultColors[kColorString]);
  m_crPattern = ColorFromRef(s.colors[kColorPattern], kDefaultColors[kColorPattern]);
  m_crSubCall = ColorFromRef(s.colors[kColorSubCall], kDefaultColors[kColorSubCall]);
  SetTextColors(ColorFromRef(s.colors[kColorBack], kDefaultColors[kColorBack]),
                ColorFromRef(s.colors[kColorText], kDefaultColors[kColorText]));
  SetTabWidth(s.TabWidth);
  SetMargins(32, 0);
  m_bAutoIndent = s.AutoIndent;
  SetStress(s.Stress);
  m_wndGutter->update();
}

void CMyView::FollowCaretLine() {
  const int line = static_cast<int>(Buffer().LineFromChar(Buffer().GetSel().caret));
  if (line != m_wndGutter->CurrentLine()) m_wndGutter->SetCurrentLine(m_wndGutter->CurrentLine(), line);
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

}  // namespace corvella
