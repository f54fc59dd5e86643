// The shortcut dialog over real XDG folders: shortcuts written, found again, deleted; each starts the program with the files handed to it.
#include "system/ShortcutDlg.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <QCheckBox>
#include <QStringList>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/CommandOutput.h"
#include "support/TempXdgHome.h"

#include "base/MessageBox.h"
#include "base/Responders.h"

using namespace corvella;
namespace fs = std::filesystem;

namespace {

std::string Quote(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::array<bool, 3> Shown(const QString& program) {
  CShortcutDlg dlg(program);
  return {dlg.Box(0)->isChecked(), dlg.Box(1)->isChecked(), dlg.Box(2)->isChecked()};
}

TEST(ShortcutDlg, ShortcutsAreMadeFoundAndDeleted) {
  test::TempXdgHome xdg;
  std::ofstream(xdg.Config() / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n";
  fs::create_directories(xdg.Home() / "デスクトップ");
  // A stand-in program that prints its arguments, in a folder whose name a
  // launcher could take apart. ('%' is left out: it is written as "%%", but
  // GLib looks for the program before it undoes that.)
  const fs::path folder = xdg.Home() / "a b\"c'd$e`f`\\g";
  fs::create_directories(folder);
  const fs::path program = folder / "corvella";
  std::ofstream(program) << "#!/bin/sh\nprintf '[%s]\\n' \"$@\"\n";
  fs::permissions(program, fs::perms(0755));
  const QString programPath = QString::fromStdString(program.string());
  const std::array<fs::path, 3> files{xdg.Home() / "デスクトップ/Corvella.desktop",
                                      xdg.Data() / "applications/Corvella.desktop",
                                      xdg.Data() / "nautilus/scripts/Corvella"};

  {
    CShortcutDlg dlg(programPath);
    for (int i = 0; i < 3; ++i) {
      EXPECT_FALSE(dlg.Box(i)->isChecked());
      dlg.Box(i)->setChecked(true);
    }
    dlg.accept();
  }
  for (const auto& file : files) EXPECT_TRUE(fs::exists(file)) << file;
  EXPECT_EQ(fs::status(files[0]).permissions() & fs::perms::all, fs::perms(0755));
  EXPECT_EQ(fs::status(files[2]).permissions() & fs::perms::all, fs::perms(0755));
  EXPECT_EQ(test::CommandOutput(Quote(files[2].string()) + " 'x y.pl' -w"), "[x y.pl]\n[-w]\n");
  if (std::system("command -v gio >/dev/null") == 0) {
    EXPECT_EQ(test::CommandOutput("gio launch " + Quote(files[1].string()) + " '/tmp/x y.pl' /tmp/z.cgi"),
              "[/tmp/x y.pl]\n[/tmp/z.cgi]\n");
  }
  EXPECT_EQ(Shown(programPath), (std::array{true, true, true}));

  {
    CShortcutDlg dlg(programPath);
    dlg.Box(0)->setChecked(false);
    dlg.Box(2)->setChecked(false);
    dlg.accept();
  }
  EXPECT_FALSE(fs::exists(files[0]));
  EXPECT_TRUE(fs::exists(files[1]));
  EXPECT_FALSE(fs::exists(files[2]));
  EXPECT_EQ(Shown(programPath), (std::array{false, true, false}));
}

// A new account may have no desktop folder yet: it is made, as a file
// manager makes it; where it cannot be, the user is told why.
TEST(ShortcutDlg, AMissingDesktopFolderIsMade) {
  test::TempXdgHome xdg;
  std::ofstream(xdg.Config() / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/作業/デスクトップ\"\n";
  QStringList messages;
  Responders responders;
  responders.SetMessage([&messages](const QString& text, MsgIcon, MsgButtons) {
    messages << text;
    return MsgResult::Ok;
  });
  const mode_t oldMask = ::umask(022);
  {
    CShortcutDlg dlg(QStringLiteral("/usr/bin/corvella"));
    responders.Serve(&dlg);
    dlg.Box(0)->setChecked(true);
    dlg.accept();
  }
  ::umask(oldMask);
  EXPECT_TRUE(messages.isEmpty());
  const fs::path desktop = xdg.Home() / "作業/デスクトップ";
  EXPECT_TRUE(fs::exists(desktop / "Corvella.desktop"));
  EXPECT_EQ(fs::status(desktop).permissions() & fs::perms::all, fs::perms(0755));

  // A file stands where a folder on the way should be.
  fs::remove_all(xdg.Home() / "作業");
  std::ofstream(xdg.Home() / "作業") << "not a folder\n";
  {
    CShortcutDlg dlg(QStringLiteral("/usr/bin/corvella"));
    responders.Serve(&dlg);
    dlg.Box(0)->setChecked(true);
    dlg.accept();
  }
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(QString::fromStdString((desktop / "Corvella.desktop").string())));
  EXPECT_TRUE(messages[0].contains(SystemErrorReason(ENOTDIR))) << messages[0].toStdString();
}

}  // namespace
