// The HTML colour dialog: five colour texts of at most 32 bytes each, asked before every export.
#pragma once

#include <array>
#include <functional>

#include <QDialog>
#include <QMessageBox>
#include <QString>

class QLineEdit;
class QShowEvent;

namespace corvella {

// How a dialog tells the user something; tests put their own in place of the message box.
using MessageFn = std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& text)>;

class CHtmlFormatDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 133;
  static constexpr int kEditKeyword = 1016;
  static constexpr int kEditComment = 1017;
  static constexpr int kEditString = 1018;
  static constexpr int kEditPattern = 1019;
  static constexpr int kEditSubCall = 1020;

  explicit CHtmlFormatDlg(QWidget* parent = nullptr);

  // Exchanged with the edit controls 1016 to 1020: put into them when the
  // dialog is shown, taken back on OK.
  QString m_strKwd;
  QString m_strCom;
  QString m_strStr;
  QString m_strReg;
  QString m_strSub;

  // false: members into the fields. true: fields into the members, refused
  // (with the length message, focus on the field) when one holds more than
  // 32 bytes of code page 932.
  bool UpdateData(bool saveAndValidate);

  QLineEdit* Edit(int id) const;
  void SetMessageFn(MessageFn fn) { message_ = std::move(fn); }

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::array<QString*, 5> Members();

  std::array<QLineEdit*, 5> edits_{};
  MessageFn message_;
};

}  // namespace corvella
