// Start-up of the whole program against the real settings store: the start-up mode, the command line, the defaults.
#include "app/MyApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "base/MessageBox.h"
#include "base/Responders.h"
#include "base/QSettingsProfile.h"
#include "editor/MyView.h"
#include "editor/MyDoc.h"
#include "platform/ChildEnvironment.h"

using namespace corvella;

namespace {

void StoreOpenMode(int mode, const QString& recent = {}) {
  QSettingsProfile profile;
  profile.DeleteSection("Settings");
  profile.DeleteSection("Recent File List");
  profile.WriteProfileInt("Settings", "OpenMode", mode);
  if (!recent.isEmpty()) profile.WriteProfileString("Recent File List", "File1", recent.toStdString());
  profile.Flush();
}

std::size_t DocumentsAfterStart(CMyApp& app) {
  QCoreApplication::processEvents();  // the posted recent-file command
  return app.Documents()->Documents().size();
}

TEST(MyApp, EmptyProfileOpensUntitled1WithDefaults) {
  StoreOpenMode(0);
  CMyApp app;
  ASSERT_TRUE(app.InitInstance({}));
  ASSERT_EQ(DocumentsAfterStart(app), 1u);
  EXPECT_EQ(app.Documents()->Documents().front()->GetTitle(), QStringLiteral("untitled1"));
  const Settings& s = app.MainFrame()->GetSettings();
  EXPECT_EQ(s.TabWidth, 4);
  EXPECT_TRUE(s.AutoIndent && s.Stress);
  EXPECT_TRUE(s.m_szPerlDir.empty());
  EXPECT_EQ(s.colors, kDefaultColors);
  EXPECT_EQ(app.MainFrame()->ActiveView()->TabWidth(), 4);
  app.MainFrame()->close();
  app.ExitInstance();
}

TEST(MyApp, StartUpModesOneAndTwo) {
  StoreOpenMode(2);
  {
    CMyApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(DocumentsAfterStart(app), 0u);
    // The mode the settings dialog leaves in the frame's settings is the one kept.
    EXPECT_EQ(app.MainFrame()->GetSettings().OpenMode, 2);
    app.MainFrame()->GetSettings().OpenMode = 0;
    app.ExitInstance();
    EXPECT_EQ(QSettingsProfile().GetProfileInt("Settings", "OpenMode", -1), 0);
  }
  StoreOpenMode(1);  // an empty recent-file list: nothing at all
  {
    CMyApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(DocumentsAfterStart(app), 0u);
  }
  QTemporaryDir dir;
  const QString file = dir.filePath("named.pl"), older = dir.filePath("older.pl");
  for (const QString& path : {file, older}) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("1;\n");
  }
  StoreOpenMode(1, older);
  {
    CMyApp app;  // the most recent file opens by itself
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_EQ(DocumentsAfterStart(app), 1u);
    EXPECT_EQ(app.Documents()->Documents().front()->GetPathName(), older);
  }
  StoreOpenMode(1, older);
  {
    // A named file goes first in the list, so the posted command only brings it forward.
    CMyApp app;
    ASSERT_TRUE(app.InitInstance({file}));
    ASSERT_EQ(DocumentsAfterStart(app), 1u);
    EXPECT_EQ(app.Documents()->Documents().front()->GetPathName(), file);
    EXPECT_EQ(app.Documents()->RecentFiles().front(), file);
  }
}

// PATH set to `folder` while the object lives. The children's copy of the
// environment is taken before, so no run of another test sees it.
class PathOf {
 public:
  explicit PathOf(const QString& folder) : m_old(qgetenv("PATH")) {
    ChildEnvironment::Shared();
    qputenv("PATH", QFile::encodeName(folder));
  }
  ~PathOf() { qputenv("PATH", m_old); }
  PathOf(const PathOf&) = delete;
  PathOf& operator=(const PathOf&) = delete;

 private:
  QByteArray m_old;
};

void RemoveSettingsFile() {
  const QString ini = QSettingsProfile().FileName();
  ASSERT_TRUE(QFile::remove(ini) || !QFile::exists(ini));
}

// The first start takes the perl of PATH and recognises encodings; what it
// stores rules every later start, a Perl folder emptied by the user included.
TEST(MyApp, FirstStartFindsPerlOnThePathAndLaterStartsKeepWhatIsStored) {
  QTemporaryDir bin;
  QFile perl(bin.filePath("perl"));
  ASSERT_TRUE(perl.open(QIODevice::WriteOnly));
  perl.write("#!/bin/sh\n");
  perl.close();
  ASSERT_TRUE(perl.setPermissions(perl.permissions() | QFile::ExeOwner));
  const std::string binFolder = QFileInfo(bin.path()).canonicalFilePath().toStdString();
  RemoveSettingsFile();
  {
    const PathOf path(QStringLiteral("relative/bin:") + bin.path());
    CMyApp app;
    ASSERT_TRUE(app.InitInstance({}));
    const Settings& s = app.MainFrame()->GetSettings();
    EXPECT_EQ(s.m_szPerlDir, binFolder);
    EXPECT_TRUE(s.KanjiConvert);
    EXPECT_EQ(app.MainFrame()->statusBar()->currentMessage(), QString::fromUtf8("レディ"));
    app.MainFrame()->close();
    app.ExitInstance();
  }
  EXPECT_EQ(QSettingsProfile().GetProfileString("Settings", "Perl"), binFolder);
  EXPECT_EQ(QSettingsProfile().GetProfileInt("Settings", "KanjiConvert", 0), 1);
  {
    QSettingsProfile profile;
    profile.WriteProfileString("Settings", "Perl", "");
    profile.WriteProfileInt("Settings", "KanjiConvert", 0);
  }
  {
    const PathOf path(bin.path());
    CMyApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(app.MainFrame()->GetSettings().m_szPerlDir.empty());
    EXPECT_FALSE(app.MainFrame()->GetSettings().KanjiConvert);
  }
  RemoveSettingsFile();
}

TEST(MyApp, FirstStartWithoutPerlSaysSoInTheStatusBarOnly) {
  QTemporaryDir empty;
  RemoveSettingsFile();
  QStringList messages;
  {
    const PathOf path(empty.path());
    CMyApp app;
    app.GetResponders().SetMessage([&messages](const QString& text, MsgIcon, MsgButtons) {
      messages << text;
      return MsgResult::Ok;
    });
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(app.MainFrame()->GetSettings().m_szPerlDir.empty());
    EXPECT_TRUE(app.MainFrame()->statusBar()->currentMessage().contains(QStringLiteral("perl")));
  }
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  RemoveSettingsFile();
}

// A FIFO in place of the settings file would hold up the start for good:
// it is left alone, the program starts with the defaults and says so.
TEST(MyApp, ASettingsFileThatIsNoRegularFileIsLeftAlone) {
  const QString ini = QSettingsProfile().FileName();
  ASSERT_TRUE(QDir().mkpath(QFileInfo(ini).path()));
  ASSERT_TRUE(QFile::remove(ini) || !QFile::exists(ini));
  ASSERT_EQ(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
  QStringList messages;
  {
    CMyApp app;
    app.GetResponders().SetMessage([&messages](const QString& text, MsgIcon, MsgButtons) {
      messages << text;
      return MsgResult::Ok;
    });
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(DocumentsAfterStart(app), 1u);
    app.MainFrame()->close();
    app.ExitInstance();
  }
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(ini)) << messages[0].toStdString();
  struct stat st;
  ASSERT_EQ(::stat(QFile::encodeName(ini).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  QFile::remove(ini);
}

}  // namespace

namespace {

// Without a usable state folder the start says so once, naming the folder.
TEST(MyApp, AnUnusableStateFolderIsToldAtStart) {
  StoreOpenMode(2);
  QTemporaryDir dir;
  const QString notAFolder = dir.filePath("state");
  QFile file(notAFolder);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  const QByteArray state = qgetenv("XDG_STATE_HOME");
  qputenv("XDG_STATE_HOME", QFile::encodeName(notAFolder));
  QStringList messages;
  {
    CMyApp app;
    app.GetResponders().SetMessage([&messages](const QString& text, MsgIcon, MsgButtons) {
      messages << text;
      return MsgResult::Ok;
    });
    EXPECT_TRUE(app.InitInstance({}));
    app.ExitInstance();
  }
  qputenv("XDG_STATE_HOME", state);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("状態を保存するフォルダ ") + notAFolder + "/Corvella/"))
      << messages[0].toStdString();
}

}  // namespace
