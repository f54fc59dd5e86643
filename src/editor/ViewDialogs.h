// The dialogs a view opens, which live in a folder above the views: the main window gives each view the one set.
#pragma once

#include <optional>

class QWidget;

namespace corvella {

class CUndoEditView;

class ViewDialogs {
 public:
  virtual ~ViewDialogs() = default;

  // The Find and Replace commands, find next (down) and previous; the
  // search state is the set's, whichever view searches.
  virtual void OpenFind(CUndoEditView* view) = 0;
  virtual void OpenReplace(CUndoEditView* view) = 0;
  virtual bool FindNext(CUndoEditView* view, bool down) = 0;
  virtual bool CanFindNext(const CUndoEditView& view) const = 0;

  // The go-to-line dialog over `parent`, starting at `line`; the number
  // confirmed, or none when cancelled.
  virtual std::optional<unsigned> AskLine(QWidget* parent, unsigned line) = 0;
};

}  // namespace corvella
