// The shortcut dialog: the program's entries on the desktop, in the applications menu and in the file manager's scripts.
#pragma once

#include <array>
#include <string>

#include <QDialog>

#include "system/XdgPlaces.h"

class QCheckBox;

namespace corvella {

class CShortcutDlg : public QDialog {
  Q_OBJECT

 public:
  // A box is checked when its shortcut file exists.
  explicit CShortcutDlg(QString programPath, QWidget* parent = nullptr);

  // The shortcut's icon: a theme icon name or a file path.
  void SetIcon(const QString& icon) { m_icon = icon; }

  // Writes the shortcut of each checked box anew and deletes the others,
  // tells of a shortcut it could not make, then closes.
  void accept() override;

  // In the order desktop, applications menu, file manager's scripts.
  QCheckBox* Box(int i) const { return m_boxes[static_cast<std::size_t>(i)]; }

 private:
  QString m_program;
  QString m_icon;
  XdgPlaces m_places;
  std::array<std::string, 3> m_paths;
  std::array<QCheckBox*, 3> m_boxes{};
};

}  // namespace corvella
