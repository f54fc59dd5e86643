// The association dialog: whether ".pl" and ".cgi" scripts open with the program from the desktop.
#pragma once

#include <QDialog>

#include "system/XdgPlaces.h"

class QCheckBox;

namespace corvella {

class CAssocDlg : public QDialog {
  Q_OBJECT

 public:
  // The boxes show the association as the desktop has it now.
  explicit CAssocDlg(QString programPath, QWidget* parent = nullptr);

  // The icon of the association's entry: a theme icon name or a file path.
  void SetIcon(const QString& icon) { m_icon = icon; }

  // Makes the association what the boxes say, then closes.
  void accept() override;

  QCheckBox* PlBox() const { return m_pl; }
  QCheckBox* CgiBox() const { return m_cgi; }

 private:
  QString m_program;
  QString m_icon;
  XdgPlaces m_places;
  QCheckBox* m_pl;
  QCheckBox* m_cgi;
};

}  // namespace corvella
