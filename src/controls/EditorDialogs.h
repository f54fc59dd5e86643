// The dialogs the script views open: find and replace with its search state, and go to line.
#pragma once

#include "controls/FindReplace.h"
#include "editor/ViewDialogs.h"

namespace corvella {

class EditorDialogs : public ViewDialogs {
 public:
  void OpenFind(CUndoEditView* view) override { m_find.OpenFind(view); }
  void OpenReplace(CUndoEditView* view) override { m_find.OpenReplace(view); }
  bool FindNext(CUndoEditView* view, bool down) override { return m_find.FindNext(view, down); }
  bool CanFindNext(const CUndoEditView& view) const override { return m_find.CanFindNext(view); }
  std::optional<unsigned> AskLine(QWidget* parent, unsigned line) override;

  FindReplace& Find() { return m_find; }

 private:
  FindReplace m_find;
};

}  // namespace corvella
