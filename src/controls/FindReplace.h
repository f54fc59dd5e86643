// Find and replace for the editor views: the search state, the one modeless dialog, and the find commands.
#pragma once

#include <string>

#include <QMetaObject>
#include <QPointer>

namespace corvella {

class CUndoEditView;
class FindReplaceDialog;

// One state for every view that searches through this object (the main
// window owns one). At most one dialog is open, find or replace; it acts on
// the view that last opened it and closes when that view goes away.
// Searches never wrap around.
class FindReplace {
 public:
  struct State {
    std::string strFind;     // Shift_JIS
    std::string strReplace;  // Shift_JIS
    bool bMatchCase = false;
    bool bSearchDown = true;
  };

  FindReplace() = default;
  // The open dialog goes too: its buttons act through this object.
  ~FindReplace();
  FindReplace(const FindReplace&) = delete;
  FindReplace& operator=(const FindReplace&) = delete;

  State& GetState() { return m_state; }
  const State& GetState() const { return m_state; }

  // The Find and Replace commands. Opening the other kind closes the open
  // dialog first; opening the same kind again brings it to the front (now
  // acting on `view`). A new dialog starts with the selection's text up to
  // the end of its first line, or else the last search string.
  void OpenFind(CUndoEditView* view);
  void OpenReplace(CUndoEditView* view);

  // Find next (down) and Find previous: the remembered string and case from
  // the selection; a match is selected and scrolled into view, no match goes
  // to the view's OnTextNotFound. False when nothing was found.
  bool FindNext(CUndoEditView* view, bool down);
  // Both commands need text to search and a string to search for.
  bool CanFindNext(const CUndoEditView& view) const;

  // The open dialog and the view it acts on, or null.
  FindReplaceDialog* Dialog() const;
  CUndoEditView* DialogView() const;

 private:
  void Open(CUndoEditView* view, bool findOnly);
  void Target(CUndoEditView* view);
  void Remember(const FindReplaceDialog& dialog);
  bool Search(CUndoEditView& view, bool down);
  void NotFound(CUndoEditView& view, bool fromDialog);
  void OnFindNextClicked();
  // The dialog's view, with the dialog's texts taken (the replacement too);
  // null when there is no dialog, no view or nothing to find.
  CUndoEditView* ViewToReplaceIn();
  void OnReplaceClicked();
  void OnReplaceAllClicked();

  State m_state;
  QPointer<FindReplaceDialog> m_dialog;
  QPointer<CUndoEditView> m_view;
  QMetaObject::Connection m_viewGone;
};

}  // namespace corvella
