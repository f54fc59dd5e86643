// The commands through which the program meets the system around it.
#include "system/SystemCommands.h"

#include <cerrno>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QUrl>

#include "base/CommandRouter.h"
#include "base/DesktopOpener.h"
#include "base/MessageBox.h"
#include "base/Settings.h"
#include "platform/FileNames.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "system/AssocDlg.h"
#include "system/ReportDlg.h"
#include "system/ShortcutDlg.h"
#include "system/SettingsDlg.h"
#include "system/SystemFacts.h"

namespace corvella {

void OpenReadme(QWidget* window, const QString& path) {
  int error = 0;
  if (!QFileInfo(path).isFile()) {
    error = ENOENT;
  } else if (!OpenWithDesktop(window, QUrl::fromLocalFile(path))) {
    error = EIO;
  }
  if (error != 0) {
    ShowMessage(window, QString::fromUtf8(str::kReadmeCannotOpen).arg(QDir::toNativeSeparators(path)).arg(error),
                MsgIcon::Exclamation);
  }
}

QString ReportText(const Settings& settings) {
  ReportFacts facts = GatherReportFacts();
  facts.version = CORVELLA_VERSION;
  facts.perlFolder = settings.m_szPerlDir;
  return QString::fromStdString(FormatReport(facts));
}

namespace {

// The icon a desktop entry names: the image beside the program when it runs
// from its build folder, else the installed theme icon of that name.
QString DesktopIcon(const char* name) {
  const QString beside = QFile::decodeName(QByteArray::fromStdString(
      GetProgramFilePath(std::string("icons/") + name + "-48.png")));
  return QFileInfo(beside).isFile() ? beside : QString::fromLatin1(name);
}

}  // namespace

void RegisterSystemCommands(CommandMap& commands, QWidget* window, Settings& settings,
                            std::function<void()> settingsChanged) {
  commands.On(res::ID_COMMAND_SETTINGS, [window, &settings, settingsChanged] {
    CSettingsDlg dialog(settings, window);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.Store(settings);
    if (settingsChanged) settingsChanged();
  });
  commands.On(res::ID_HELP_ASSOCIATE, [window] {
    CAssocDlg dialog(QCoreApplication::applicationFilePath(), window);
    dialog.SetIcon(DesktopIcon("corvella-document"));
    dialog.exec();
  });
  commands.On(res::ID_HELP_SHORTCUT, [window] {
    CShortcutDlg dialog(QCoreApplication::applicationFilePath(), window);
    dialog.SetIcon(DesktopIcon("corvella"));
    dialog.exec();
  });
  commands.On(res::ID_HELP_README, [window] {
    OpenReadme(window, QFile::decodeName(QByteArray::fromStdString(GetProgramFilePath("plumo.html"))));
  });
  commands.On(res::ID_HELP_REPORT, [window, &settings] {
    CReportDlg dialog(ReportText(settings), window);
    dialog.exec();
  });
}

}  // namespace corvella
