// The dialogs the script views open: find and replace with its search state, and go to line.
#include "controls/EditorDialogs.h"

#include "controls/GotoLineDlg.h"

namespace corvella {

std::optional<unsigned> EditorDialogs::AskLine(QWidget* parent, unsigned line) {
  CGotoLineDlg dlg(parent);
  dlg.SetLine(line);
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return dlg.Line();
}

}  // namespace corvella
