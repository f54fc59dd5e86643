// The CGI dialog: how the form data go to the script, its command-line arguments, the form variables and three further environment variables, all remembered.
#pragma once

#include <array>
#include <string>

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;

namespace corvella {

class Profile;

class CCgiDlg : public QDialog {
  Q_OBJECT

 public:
  // Fills the fields and the list from "CGI_Test" and "QUERY_STRING".
  explicit CCgiDlg(Profile& profile, QWidget* parent = nullptr);

  // Writes every entry back and builds m_strQuery; Cancel writes nothing.
  void accept() override;

  int m_nMethod = 1;           // 0 POST, 1 GET
  QString m_strCmdArgs;
  std::string m_strQuery;      // the encoded form data (Shift_JIS bytes), built on OK
  std::array<QString, 3> m_strOtherName, m_strOtherValue;

  QTreeWidget* List() const { return m_listVars; }
  QLineEdit* NameField() const { return m_name; }
  QPlainTextEdit* ValueField() const { return m_value; }
  // "設定": the item named so (letter case aside) takes the name as typed and the value; else a new item.
  void OnSet();
  void OnDelete();
  void OnDeleteAll();

 private:
  void Load();

  Profile& m_profile;
  QButtonGroup* m_method;
  QLineEdit* m_args;
  QLineEdit* m_name;
  QPlainTextEdit* m_value;
  QTreeWidget* m_listVars;
  std::array<QLineEdit*, 3> m_otherNames{}, m_otherValues{};
};

}  // namespace corvella
