// Find and replace for the editor views: the shared search state, the one modeless dialog, and what its buttons and the find commands do.
#include "editor/FindReplace.h"

#include <algorithm>

#include <QApplication>
#include <QPointer>

#include "base/WaitCursor.h"
#include "editor/Cp932Text.h"
#include "editor/FindReplaceDialog.h"
#include "document/TextSearch.h"
#include "editor/UndoEditView.h"

namespace corvella {
namespace {

struct OpenDialog {
  QPointer<FindReplaceDialog> dialog;
  QPointer<CUndoEditView> view;
  QMetaObject::Connection viewGone;
};

OpenDialog& Opened() {
  static OpenDialog opened;
  return opened;
}

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

void Target(CUndoEditView* view) {
  OpenDialog& opened = Opened();
  QObject::disconnect(opened.viewGone);
  opened.view = view;
  // The dialog belongs to its view: it goes when the view goes, so that no
  // dialog is ever left acting on nothing.
  QPointer<FindReplaceDialog> dialog = opened.dialog;
  opened.viewGone = QObject::connect(view, &QObject::destroyed, opened.dialog.data(), [dialog] {
    if (dialog) dialog->close();
  });
}

void Bring(FindReplaceDialog* dialog) {
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

}  // namespace

FindReplace::State& FindReplace::Shared() {
  static State state;
  return state;
}

FindReplaceDialog* FindReplace::Dialog() { return Opened().dialog.data(); }

CUndoEditView* FindReplace::DialogView() { return Opened().dialog ? Opened().view.data() : nullptr; }

void FindReplace::OpenFind(CUndoEditView* view) { Open(view, true); }

void FindReplace::OpenReplace(CUndoEditView* view) { Open(view, false); }

void FindReplace::Open(CUndoEditView* view, bool findOnly) {
  if (!view) return;
  OpenDialog& opened = Opened();
  if (FindReplaceDialog* open = opened.dialog.data()) {
    if (open->IsFindOnly() == findOnly) {
      Target(view);
      Bring(open);
      return;
    }
    opened.dialog = nullptr;
    QObject::disconnect(opened.viewGone);
    open->close();
  }

  const State& state = Shared();
  std::string initial = SelectionFirstLine(view->Buffer());
  if (initial.empty()) initial = state.strFind;

  auto* dialog = new FindReplaceDialog(findOnly, view->window());
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->SetFindWhat(SjisToQString(initial));
  dialog->SetReplaceWith(SjisToQString(state.strReplace));
  dialog->SetMatchCase(state.bMatchCase);
  dialog->SetSearchDown(state.bSearchDown);
  QObject::connect(dialog, &FindReplaceDialog::findNextClicked, dialog, &FindReplace::OnFindNextClicked);
  QObject::connect(dialog, &FindReplaceDialog::replaceClicked, dialog, &FindReplace::OnReplaceClicked);
  QObject::connect(dialog, &FindReplaceDialog::replaceAllClicked, dialog, &FindReplace::OnReplaceAllClicked);
  QObject::connect(dialog, &QDialog::finished, dialog, [dialog] {
    if (Opened().dialog == dialog) {
      QObject::disconnect(Opened().viewGone);
      Opened().dialog = nullptr;
    }
  });
  opened.dialog = dialog;
  Target(view);
  Bring(dialog);
}

bool FindReplace::FindNext(CUndoEditView* view, bool down) {
  if (!view || Shared().strFind.empty()) return false;
  if (Search(*view, down)) return true;
  NotFound(*view, false);
  return false;
}

bool FindReplace::CanFindNext(const CUndoEditView& view) {
  return view.Buffer().GetTextLength() > 0 && !Shared().strFind.empty();
}

void FindReplace::Remember(const FindReplaceDialog& dialog) {
  State& state = Shared();
  state.strFind = QStringToSjis(dialog.FindWhat());
  state.bMatchCase = dialog.MatchCase();
  state.bSearchDown = dialog.SearchDown();
}

bool FindReplace::Search(CUndoEditView& view, bool down) {
  const State& state = Shared();
  if (state.strFind.empty()) return false;
  const TextSearch search(state.strFind, state.bMatchCase);
  const std::size_t pos = search.FindFromSelection(view.Buffer(), down);
  if (pos == TextSearch::npos) return false;
  view.SetSel(pos, pos + state.strFind.size());
  view.ScrollCaret();
  return true;
}

void FindReplace::NotFound(CUndoEditView& view, bool fromDialog) {
  const std::string what = Shared().strFind;  // the view may ask the user, and the state may change meanwhile
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
  if (!Search(*view, Shared().bSearchDown)) NotFound(*view, true);
}

void FindReplace::OnReplaceClicked() {
  FindReplaceDialog* dialog = Dialog();
  CUndoEditView* view = DialogView();
  if (!dialog || !view) return;
  Remember(*dialog);
  State& state = Shared();
  state.strReplace = QStringToSjis(dialog->ReplaceWith());
  if (state.strFind.empty()) return;

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
  FindReplaceDialog* dialog = Dialog();
  CUndoEditView* view = DialogView();
  if (!dialog || !view) return;
  Remember(*dialog);
  State& state = Shared();
  state.strReplace = QStringToSjis(dialog->ReplaceWith());
  state.bSearchDown = true;
  if (state.strFind.empty()) return;

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
