// The about box: program icon, name, maker's notice, version, the maker's web and mail links, and the build date.
#pragma once

#include <QDialog>
#include <QIcon>

namespace corvella {

class CHyperLink;

// Dialog 100. Controls carry their ids as object names: the two links
// res::IDC_ABOUT_URL and res::IDC_ABOUT_MAIL, the build line
// res::IDC_ABOUT_BUILD; the OK button is "ok".
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  // `icon` is the program's icon, as the main window shows it.
  explicit CAboutDlg(const QIcon& icon, QWidget* parent = nullptr);
  ~CAboutDlg() override;

  // Shows the box modally, as its window's responders run dialogs.
  int DoModal();

 private:
  void OnInitDialog();
};

}  // namespace corvella
