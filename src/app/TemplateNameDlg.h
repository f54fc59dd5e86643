// The name under which the current script is added to the templates.
#pragma once

#include <QDialog>

class QLineEdit;

namespace corvella {

class CTemplateNameDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CTemplateNameDlg(const QString& proposed, QWidget* parent = nullptr);
  QString Name() const;
  QLineEdit* Field() const { return m_edit; }

 private:
  QLineEdit* m_edit;
};

}  // namespace corvella
