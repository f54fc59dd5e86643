// The read-me and the report as the user reaches them from the main window.
#include "system/SystemCommands.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "base/CommandRouter.h"
#include "base/DesktopOpener.h"
#include "base/Responders.h"
#include "platform/FileNames.h"
#include "res/resource.h"
#include "support/MainWindowTest.h"
#include "system/ReportDlg.h"
#include "system/SettingsDlg.h"

using namespace corvella;

namespace {

class SystemCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    CreateFrame();
    responders.SetDesktopOpen([this](const QUrl& url) {
      opened << url.toLocalFile();
      return true;
    });
  }
  QStringList opened;
};

TEST_F(SystemCommandsTest, ReadmeOpensWithTheDesktopOrSaysWhyNot) {
  frame->Router().Route(res::ID_HELP_README);
  ASSERT_EQ(opened.size(), 1);
  EXPECT_TRUE(opened[0].endsWith(QStringLiteral("/plumo.html")));
  EXPECT_TRUE(messages.isEmpty());

  QTemporaryDir dir;
  const QString missing = dir.filePath(QStringLiteral("plumo.html"));
  OpenReadme(frame.get(), missing);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], QStringLiteral("'%1' を開くことができません。(Error:2)").arg(missing));
  EXPECT_EQ(opened.size(), 1);
}

TEST_F(SystemCommandsTest, ReportNamesTheProgramThePerlFolderAndLeavesNoFile) {
  frame->GetSettings().m_szPerlDir = "/usr/bin";
  QString shown;
  QTimer::singleShot(0, [&shown] {
    if (auto* dialog = qobject_cast<CReportDlg*>(QApplication::activeModalWidget())) {
      shown = dialog->ReportField()->toPlainText();
      dialog->accept();
    }
  });
  frame->Router().Route(res::ID_HELP_REPORT);
  const QStringList lines = shown.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 7) << shown.toStdString();
  EXPECT_EQ(lines[0], QStringLiteral("[Path] ") + QApplication::applicationFilePath());
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("[OS Version] Linux ")));
  EXPECT_EQ(lines[4], QStringLiteral("[Perl Path] /usr/bin"));
  EXPECT_TRUE(lines[5] == QStringLiteral("[Associated with .htm] none") || lines[5].endsWith(QStringLiteral(".desktop")))
      << lines[5].toStdString();
  EXPECT_FALSE(QDir(QFile::decodeName(QByteArray::fromStdString(ProgramFolder()))).exists(QStringLiteral("dummy.htm")));
}

// Setting the Perl folder in the dialog is what enables the run commands.
TEST_F(SystemCommandsTest, PerlFolderSetInTheDialogEnablesRunning) {
  frame->GetSettings().m_szPerlDir.clear();
  QTemporaryDir dir;
  QFile script(dir.filePath(QStringLiteral("a.pl")));
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.close();
  ASSERT_NE(docs->OpenDocumentFile(script.fileName()), nullptr);
  QAction* run = frame->Router().Action(res::ID_COMMAND_RUN);
  frame->Router().UpdateActions();
  ASSERT_FALSE(run->isEnabled());
  QTimer::singleShot(0, [] {
    if (auto* dialog = qobject_cast<CSettingsDlg*>(QApplication::activeModalWidget())) {
      dialog->PerlDirField()->setText(QStringLiteral("/usr/bin/"));
      dialog->accept();
    }
  });
  frame->Router().Route(res::ID_COMMAND_SETTINGS);
  EXPECT_EQ(frame->GetSettings().m_szPerlDir, "/usr/bin");
  frame->Router().UpdateActions();
  EXPECT_TRUE(run->isEnabled());
}

}  // namespace
