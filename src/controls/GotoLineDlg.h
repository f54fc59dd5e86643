// The go-to-line dialog: one line number from 1 to 10000, checked when OK is pressed.
#pragma once

#include <QDialog>

class QLineEdit;

namespace corvella {

class CGotoLineDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kMinLine = 1;
  static constexpr unsigned kMaxLine = 10000;

  explicit CGotoLineDlg(QWidget* parent = nullptr);

  // Put into the field when the dialog is shown, taken back on OK.
  unsigned Line() const { return m_nLine; }
  void SetLine(unsigned line) { m_nLine = line; }

  QLineEdit* Field() const { return m_edit; }

  // Refuses a number outside the range with a message and keeps the dialog open.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* m_edit;
  unsigned m_nLine = 1;
};

}  // namespace corvella
