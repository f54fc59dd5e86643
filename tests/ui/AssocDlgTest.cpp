// The association dialog over real XDG folders: another program's lines kept byte for byte, our files written and removed, the desktop's own reader agreeing.
#include "system/AssocDlg.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <QCheckBox>

#include <gtest/gtest.h>

#include "support/CommandOutput.h"
#include "support/TempXdgHome.h"

using namespace corvella;
namespace fs = std::filesystem;

namespace {

const QString kProgram = QStringLiteral("/opt/Perl tools/corvella");

const std::string kForeign =
    "# chosen by hand\n"
    "[Added Associations]\n"
    "application/x-perl=other-editor.desktop;\n"
    "\n"
    "[Default Applications]\n"
    "application/x-perl=other-editor.desktop\n"
    "text/html=browser.desktop;\n"
    "\n"
    "[Odd Section]\n"
    "application/x-cgi=plumo_file.desktop;\n"
    "  indented = value";

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

bool HasProgram(const char* name) { return std::system(("command -v " + std::string(name) + " >/dev/null").c_str()) == 0; }

// Checks the boxes as given and presses OK; answers the boxes as they showed at the start.
std::pair<bool, bool> Apply(bool pl, bool cgi, const QString& program = kProgram) {
  CAssocDlg dlg(program);
  const std::pair shown{dlg.PlBox()->isChecked(), dlg.CgiBox()->isChecked()};
  dlg.PlBox()->setChecked(pl);
  dlg.CgiBox()->setChecked(cgi);
  dlg.accept();
  return shown;
}

std::pair<bool, bool> Shown() {
  CAssocDlg dlg(kProgram);
  return {dlg.PlBox()->isChecked(), dlg.CgiBox()->isChecked()};
}

TEST(AssocDlg, CgiAloneRoundTripKeepsEveryOtherByte) {
  test::TempXdgHome xdg;
  const fs::path list = xdg.Config() / "mimeapps.list";
  const fs::path entry = xdg.Data() / "applications/plumo_file.desktop";
  const fs::path package = xdg.Data() / "mime/packages/corvella-cgi.xml";
  Write(list, kForeign);

  EXPECT_EQ(Apply(false, true), std::pair(false, false));
  std::string expected = kForeign;
  expected.insert(expected.find("\n\n[Odd") + 1, "application/x-cgi=plumo_file.desktop;\n");
  EXPECT_EQ(Read(list), expected);
  const std::string text = Read(entry);
  EXPECT_NE(text.find("\nExec=\"/opt/Perl tools/corvella\" %f\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nMimeType=application/x-cgi;\n"), std::string::npos) << text;
  EXPECT_TRUE(fs::exists(package));
  const bool compiles = HasProgram("update-mime-database");
  if (compiles) {
    EXPECT_NE(Read(xdg.Data() / "mime/globs2").find(":application/x-cgi:*.cgi"), std::string::npos);
  }

  EXPECT_EQ(Apply(false, false), std::pair(false, true));
  EXPECT_EQ(Read(list), kForeign);
  EXPECT_FALSE(fs::exists(entry));
  EXPECT_FALSE(fs::exists(package));
  if (compiles) {
    EXPECT_EQ(Read(xdg.Data() / "mime/globs2").find("application/x-cgi"), std::string::npos);
  }
}

TEST(AssocDlg, PlIsWhatTheDesktopOpensPerlScriptsWithUntilUnchecked) {
  test::TempXdgHome xdg;
  const fs::path list = xdg.Config() / "mimeapps.list";
  Write(list, kForeign);
  fs::create_directories(xdg.Data() / "applications");
  Write(xdg.Data() / "applications/other-editor.desktop",
        "[Desktop Entry]\nType=Application\nName=Other\nExec=true %f\nMimeType=application/x-perl;\n");
  const bool xdgMime = HasProgram("xdg-mime");
  const std::string query = "xdg-mime query default application/x-perl";
  // xdg-mime passes over an entry whose program is missing (or has a blank in its path).
  const fs::path program = xdg.Home() / "corvella";
  Write(program, "#!/bin/sh\n");
  fs::permissions(program, fs::perms(0755));

  Apply(true, false, QString::fromStdString(program.string()));
  // The other program stays listed after ours, to fall back on.
  EXPECT_NE(Read(list).find("\napplication/x-perl=plumo_file.desktop;other-editor.desktop;\n"), std::string::npos);
  if (xdgMime) {
    EXPECT_EQ(test::CommandOutput(query), "plumo_file.desktop\n");
  } else {
    std::fprintf(stderr, "xdg-mime is not installed: the desktop's view of the default is not checked\n");
  }

  EXPECT_EQ(Apply(false, false), std::pair(true, false));
  EXPECT_NE(Read(list).find("\napplication/x-perl=other-editor.desktop;\n"), std::string::npos);
  if (xdgMime) {
    EXPECT_EQ(test::CommandOutput(query), "other-editor.desktop\n");
  }
  EXPECT_FALSE(fs::exists(xdg.Data() / "applications/plumo_file.desktop"));
}

TEST(AssocDlg, NoDefaultNamesAnEntryThatCouldNotBeWritten) {
  test::TempXdgHome xdg;
  const fs::path list = xdg.Config() / "mimeapps.list";
  Write(list, kForeign);
  // Below a plain file no folder can be made, not even by root.
  Write(xdg.Home() / "file", "");
  ::setenv("XDG_DATA_HOME", (xdg.Home() / "file/data").c_str(), 1);

  Apply(true, true);
  EXPECT_EQ(Read(list), kForeign);
  EXPECT_EQ(Shown(), std::pair(false, false));
}

}  // namespace
