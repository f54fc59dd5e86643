// Find and replace for the editor views: the search state shared by all views, the one modeless dialog, and the find commands.
#pragma once

#include <string>

namespace corvella {

class CUndoEditView;
class FindReplaceDialog;

// One state per process, whichever view searches. At most one dialog is
// open, find or replace; it acts on the view that last opened it and closes
// when that view goes away. Searches never wrap around.
class FindReplace {
 public:
  struct State {
    std::string strFind;     // Shift_JIS
    std::string strReplace;  // Shift_JIS
    bool bMatchCase = false;
    bool bSearchDown = true;
  };
  static State& Shared();

  // The Find and Replace commands. Opening the other kind closes the open
  // dialog first; opening the same kind again brings it to the front (now
  // acting on `view`). A new dialog starts with the selection's text up to
  // the end of its first line, or else the last search string.
  static void OpenFind(CUndoEditView* view);
  static void OpenReplace(CUndoEditView* view);

  // Find next (down) and Find previous: the remembered string and case from
  // the selection; a match is selected and scrolled into view, no match goes
  // to the view's OnTextNotFound. False when nothing was found.
  static bool FindNext(CUndoEditView* view, bool down);
  // Both commands need text to search and a string to search for.
  static bool CanFindNext(const CUndoEditView& view);

  // The open dialog and the view it acts on, or null.
  static FindReplaceDialog* Dialog();
  static CUndoEditView* DialogView();

 private:
  static void Open(CUndoEditView* view, bool findOnly);
  static void Remember(const FindReplaceDialog& dialog);
  static bool Search(CUndoEditView& view, bool down);
  static void NotFound(CUndoEditView& view, bool fromDialog);
  static void OnFindNextClicked();
  static void OnReplaceClicked();
  static void OnReplaceAllClicked();
};

}  // namespace corvella
