// Find and replace for the editor views: the search state, the one modeless dialog, and what its buttons and the find commands do.
#include "controls/FindReplace.h"

#include <algorithm>

#include <QApplication>
#include <QPointer>

#include "base/WaitCursor.h"
#include "controls/FindReplaceDialog.h"
#include "document/TextSearch.h"
#include "editor/Cp932Text.h"
#include "editor/UndoEditView.h"

namespace corvella {
namespace {

// A replacement the view would refuse (read-only, text limit) is not tried:
// the history must not record an edit that never happens.
bool CanReplace(const CUndoEditView& view, std::size_t length) {
  return !view.IsReadOnly() && view.Buffer().CanReplaceSel(length);
}

// The selected text up to the end of its first line.
std::string SelectionFirstLine(const EditBuffer& buffer) {
  const EditBuffer::Selection sel = buffer.GetSel();
  if (sel.IsEmpty()) return {};
  const std::size_t lineEnd = buffer.LineEnd(buffer.LineFromChar(sel.Start()));
  return buffer.GetText(sel.Start(), std::min(sel.End(), lineEnd));
}

void Bring(FindReplaceDialog* dialog) {
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

}  // namespace

FindReplace::~FindReplace() {
  QObject::disconnect(m_viewGone);
  if (FindReplaceDialog* dialog = m_dialog.data()) {
    dialog->disconnect();  // its buttons and its end reach this object
    delete dialog;
  }
}

FindReplaceDialog* FindReplace::Dialog() const { return m_dialog.data(); }

CUndoEditView* FindReplace::DialogView() const { return m_dialog ? m_view.data() : nullptr; }

void FindReplace::Target(CUndoEditView* view) {
  QObject::disconnect(m_viewGone);
  m_view = view;
  // The dialog belongs to its view: it goes when the view goes, so that no
  // dialog is ever left acting on nothing.
  QPointer<FindReplaceDialog> dialog = m_dialog;
  m_viewGone = QObject::connect(view, &QObject::destroyed, m_dialog.data(), [dialog] {
    if (dialog) dialog->close();
  });
}

void FindReplace::OpenFind(CUndoEditView* view) { Open(view, true); }

void FindReplace::OpenReplace(CUndoEditView* view) { Open(view, false); }

void FindReplace::Open(CUndoEditView* view, bool findOnly) {
  if (!view) return;
  if (FindReplaceDialog* open = m_dialog.data()) {
    if (open->IsFindOnly() == findOnly) {
      Target(view);
      Bring(open);
      return;
    }
    m_dialog = nullptr;
    QObject::disconnect(m_viewGone);
    open->close();
  }

  const State& state = m_state;
  std::string initial = SelectionFirstLine(view->Buffer());
  if (initial.empty()) initial = state.strFind;

  auto* dialog = new FindReplaceDialog(findOnly, view->window());
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->SetFindWhat(SjisToQString(initial));
  dialog->SetReplaceWith(SjisToQString(state.strReplace));
  dialog->SetMatchCase(state.bMatchCase);
  dialog->SetSearchDown(state.bSearchDown);
  QObject::connect(dialog, &FindReplaceDialog::findNextClicked, dialog, [this] { OnFindNextClicked(); });
  QObject::connect(dialog, &FindReplaceDialog::replaceClicked, dialog, [this] { OnReplaceClicked(); });
  QObject::connect(dialog, &FindReplaceDialog::replaceAllClicked, dialog, [this] { OnReplaceAllClicked(); });
  QObject::connect(dialog, &QDialog::finished, dialog, [this, dialog] {
    if (m_dialog == dialog) {
      QObject::disconnect(m_viewGone);
      m_dialog = nullptr;
    }
  });
  m_dialog = dialog;
  Target(view);
  Bring(dialog);
}

bool FindReplace::FindNext(CUndoEditView* view, bool down) {
  if (!view || m_state.strFind.empty()) return false;
  if (Search(*view, down)) return true;
  NotFound(*view, false);
  return false;
}

bool FindReplace::CanFindNext(const CUndoEditView& view) const {
  return view.Buffer().GetTextLength() > 0 && !m_state.strFind.empty();
}

void FindReplace::Remember(const FindReplaceDialog& dialog) {
  State& state = m_state;
  state.strFind = QStringToSjis(dialog.FindWhat());
  state.bMatchCase = dialog.MatchCase();
  state.bSearchDown = dialog.SearchDown();
}

bool FindReplace::Search(CUndoEditView& view, bool down) {
  const State& state = m_state;
  if (state.strFind.empty()) return false;
  const TextSearch search(state.strFind, state.bMatchCase);
  const std::size_t pos = search.FindFromSelection(view.Buffer(), down);
  if (pos == TextSearch::npos) return false;
  view.SetSel(pos, pos + state.strFind.size());
  view.ScrollCaret();
  return true;
}

void FindReplace::NotFound(CUndoEditView& view, bool fromDialog) {
  const std::string what = m_state.strFind;  // the view may ask the user, and the state may change meanwhile
  view.OnTextNotFound(what);
  if (fromDialog) {
    if (FindReplaceDialog* dialog = Dialog()) Bring(dialog);
  }
}

void FindReplace::OnFindNextClicked() {
  FindReplaceDialog* dialog = Dialog();
  CUndoEditView* view = DialogView();
  if (!dialog || !view) return;
  Remember(*dialog);
  if (!Search(*view, m_state.bSearchDown)) NotFound(*view, true);
}

CUndoEditView* FindReplace::ViewToReplaceIn() {
  FindReplaceDialog* dialog = Dialog();
  CUndoEditView* view = DialogView();
  if (!dialog || !view) return nullptr;
  Remember(*dialog);
  m_state.strReplace = QStringToSjis(dialog->ReplaceWith());
  return m_state.strFind.empty() ? nullptr : view;
}

void FindReplace::OnReplaceClicked() {
  CUndoEditView* view = ViewToReplaceIn();
  if (!view) return;
  State& state = m_state;

  // Only a selected match is replaced; otherwise this press just finds one.
  if (!TextSearch(state.strFind, state.bMatchCase).SelectionMatches(view->Buffer())) {
    if (!Search(*view, state.bSearchDown)) NotFound(*view, true);
    return;
  }
  if (!CanReplace(*view, state.strReplace.size())) {
    QApplication::beep();
    return;
  }
  view->ReplaceSelUndoable(state.strReplace);
  view->ScrollCaret();
  if (!Search(*view, state.bSearchDown)) NotFound(*view, true);
}

void FindReplace::OnReplaceAllClicked() {
  CUndoEditView* view = ViewToReplaceIn();
  State& state = m_state;
  if (Dialog() && DialogView()) state.bSearchDown = true;
  if (!view) return;

  const TextSearch search(state.strFind, state.bMatchCase);
  EditBuffer& buffer = view->Buffer();
  const std::size_t length = state.strFind.size();
  if (!search.SelectionMatches(buffer)) {
    const std::size_t first = search.FindForward(buffer, buffer.GetSel().End());
    if (first == TextSearch::npos) {
      NotFound(*view, true);
      return;
    }
    view->SetSel(first, first + length);
  }

  const WaitCursor wait;
  view->SetRedraw(false);
  // Each replacement goes through the history on its own, a deletion and an
  // insertion, and all of them are joined at the end: the user sees one
  // change, undone and redone at once. Searching on from the end of the
  // inserted text never finds the replacement itself.
  const std::size_t recorded = view->History().UndoList().size();
  for (;;) {
    if (!CanReplace(*view, state.strReplace.size())) {
      QApplication::beep();
      break;
    }
    view->ReplaceSelUndoable(state.strReplace);
    const std::size_t next = search.FindForward(buffer, buffer.GetSel().End());
    if (next == TextSearch::npos) break;
    view->SetSel(next, next + length);
  }
  view->JoinUndoSince(recorded);
  view->SetRedraw(true);
  view->ScrollCaret();
}

}  // namespace corvella
