// The settings dialog: the checks on OK, the folder chooser, and the values taken back.
#include "system/SettingsDlg.h"

#include <filesystem>
#include <fstream>
#include <tuple>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "base/MessageBox.h"
#include "base/Responders.h"

using namespace corvella;

namespace {

auto Values(const Settings& s) {
  return std::tie(s.m_szPerlDir, s.UsePerl, s.AutoSave, s.TabWidth, s.KanjiConvert, s.CRLF, s.KanjiCode, s.OpenMode,
                  s.SaveAsSJIS);
}

// The field or the spin box around it holds the focus.
bool Focused(const QDialog& dlg, QWidget* field) {
  QWidget* focus = dlg.focusWidget();
  return focus && (focus == field || focus->isAncestorOf(field));
}

class SettingsDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    responders.SetMessage([this](const QString& text, MsgIcon icon, MsgButtons) {
      EXPECT_EQ(icon, MsgIcon::Exclamation);
      messages << text;
      return MsgResult::Ok;
    });
  }

  QStringList messages;
  Responders responders;
};

}  // namespace

TEST_F(SettingsDlgTest, WrongEntriesKeepTheDialogOpenAndAMissingFolderIsStoredEmpty) {
  Settings settings;
  CSettingsDlg dlg(settings);
  responders.Serve(&dlg);
  dlg.show();
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("環境設定"));
  for (const char* typed : {"0", "33"}) {
    dlg.PerlDirField()->setFocus();
    dlg.TabWidthField()->setText(QString::fromLatin1(typed));
    dlg.accept();
    EXPECT_EQ(messages.takeFirst(), QStringLiteral("1 から 32 までの整数を入力してください。")) << typed;
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(Focused(dlg, dlg.TabWidthField()));
  }
  dlg.TabWidthField()->setText(QStringLiteral("abc"));
  dlg.accept();
  EXPECT_EQ(messages.takeFirst(), QStringLiteral("整数を入力してください。"));
  EXPECT_TRUE(dlg.isVisible());

  // Characters are counted as typed: a character outside the BMP is one.
  const QString wide = QStringLiteral("𠮷");
  dlg.TabWidthField()->setText(QStringLiteral("32"));
  dlg.TabWidthField()->setFocus();
  dlg.PerlDirField()->setText(QStringLiteral("/") + wide.repeated(255));
  dlg.accept();
  EXPECT_EQ(messages.takeFirst(), QStringLiteral("255 文字以内で入力してください。"));
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_TRUE(Focused(dlg, dlg.PerlDirField()));
  const QString missing = QStringLiteral("/") + wide.repeated(254);
  dlg.PerlDirField()->setText(missing);
  dlg.accept();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(missing)) << messages[0].toStdString();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  settings.m_szPerlDir = "/usr";
  dlg.Store(settings);
  EXPECT_EQ(settings.m_szPerlDir, "");
  EXPECT_EQ(settings.TabWidth, 32);
}

TEST_F(SettingsDlgTest, ValuesComeBackAndBrowsingChangesOnlyTheFolder) {
  QTemporaryDir temp;
  const QString real = temp.filePath(QStringLiteral("perl ビン"));
  ASSERT_TRUE(QDir().mkdir(real));
  std::ofstream(std::filesystem::path(real.toStdString()) / "perl") << "#!/bin/sh\n";
  std::filesystem::permissions(std::filesystem::path(real.toStdString()) / "perl", std::filesystem::perms(0755));
  const QString link = temp.filePath(QStringLiteral("リンク"));
  std::filesystem::create_directory_symlink(real.toStdString(), link.toStdString());

  Settings in;
  in.m_szPerlDir = temp.path().toStdString();
  in.UsePerl = 1;
  in.AutoSave = true;
  in.TabWidth = 8;
  in.KanjiConvert = true;
  in.CRLF = 2;
  in.KanjiCode = 3;
  in.OpenMode = 2;
  in.SaveAsSJIS = true;
  CSettingsDlg dlg(in);
  responders.Serve(&dlg);
  dlg.show();
  dlg.AutoSaveCheck()->setChecked(false);
  QString preselect;
  dlg.SetFolderChooser([&](const QString& start) {
    preselect = start;
    return link + QStringLiteral("/");
  });
  dlg.BrowseButton()->click();
  EXPECT_EQ(preselect, temp.path());
  EXPECT_EQ(dlg.PerlDirField()->text(), link + QStringLiteral("/"));
  EXPECT_FALSE(dlg.AutoSaveCheck()->isChecked());
  dlg.SetFolderChooser([](const QString&) { return QString(); });  // cancelled: the field stays
  dlg.BrowseButton()->click();
  EXPECT_EQ(dlg.PerlDirField()->text(), link + QStringLiteral("/"));
  if (const QString dir = qEnvironmentVariable("CORVELLA_SHOT_DIR"); !dir.isEmpty()) {
    dlg.grab().save(dir + QStringLiteral("/settings.png"));
  }
  dlg.accept();
  EXPECT_TRUE(messages.isEmpty());

  Settings out;
  dlg.Store(out);
  Settings expected = in;
  expected.AutoSave = false;
  expected.m_szPerlDir = QFileInfo(real).canonicalFilePath().toStdString();
  EXPECT_EQ(Values(out), Values(expected));

  // Numbers from a broken settings file are brought into their lists.
  Settings broken;
  broken.UsePerl = 5;
  broken.TabWidth = 99;
  broken.KanjiCode = 9;
  broken.CRLF = -1;
  broken.OpenMode = 7;
  CSettingsDlg fixed(broken);
  fixed.Store(broken);
  EXPECT_EQ(std::tuple(broken.UsePerl, broken.TabWidth, broken.KanjiCode, broken.CRLF, broken.OpenMode),
            std::tuple(1, 32, 3, 0, 2));
}
