// File-name helpers against real files in a temporary folder.
#include "platform/FileNames.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace corvella;
namespace fs = std::filesystem;

namespace {

class FileNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("corvella-names-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(file(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  std::string file() const { return (dir_ / "script.pl").string(); }
  void Write(const std::string& path) { std::ofstream(path) << "print 1;\n"; }
  fs::path dir_;
};

TEST(FileNameParts, SplitAtTheLastSeparator) {
  EXPECT_EQ(GetFolderPart("/home/u/a.pl"), "/home/u/");
  EXPECT_EQ(GetFolderPart("a.pl"), "");
  EXPECT_EQ(GetFolderPart("/a.pl"), "/");
  EXPECT_EQ(GetFileTitlePart("/home/u/a.b.pl"), "a.b.pl");
  EXPECT_EQ(GetFileTitlePart("a.pl"), "a.pl");
  EXPECT_EQ(GetFileTitlePart("/home/u/"), "");
  // A Shift_JIS trail byte is never 2F, so a name like "表.pl" splits safely.
  EXPECT_EQ(GetFileTitlePart("/d/\x95\x5c.pl"), "\x95\x5c.pl");
}

TEST(FileNameParts, JoinAddsOneSeparator) {
  EXPECT_EQ(JoinPath("/opt/c", "hint.txt"), "/opt/c/hint.txt");
  EXPECT_EQ(JoinPath("/opt/c/", "hint.txt"), "/opt/c/hint.txt");
  EXPECT_EQ(JoinPath("", "hint.txt"), "hint.txt");
  EXPECT_EQ(GetProgramFilePath("hint.txt"), JoinPath(ProgramFolder(), "hint.txt"));
  EXPECT_EQ(ProgramFolder().back(), '/');
}

TEST(FileNameParts, AbbreviationKeepsTheHeadAndTheLastComponents) {
  EXPECT_EQ(AbbreviatePath("/home/u/a.pl", 30), "/home/u/a.pl");
  EXPECT_EQ(AbbreviatePath("/home/user/projects/web/cgi-bin/form.cgi", 30), "/home/.../web/cgi-bin/form.cgi");
  EXPECT_LE(AbbreviatePath("/home/user/projects/web/cgi-bin/form.cgi", 30).size(), 30u);
  EXPECT_EQ(AbbreviatePath("/home/u/a-very-long-script-name-for-testing.pl", 30),
            "a-very-long-script-name-for-testing.pl");
}

TEST(FileNameParts, TempCopyKeepsTheNameAndAddsTheMark) {
  const std::string copy = GetTempCopyPath("/work/x/test.cgi");
  EXPECT_EQ(GetFileTitlePart(copy), "test.cgi_$");
  EXPECT_EQ(GetFolderPart(copy), TempFolder());
}

TEST_F(FileNamesTest, ExistenceAndReadOnly) {
  EXPECT_FALSE(FileExists(file()));
  EXPECT_FALSE(IsReadOnlyFile(file()));
  Write(file());
  EXPECT_TRUE(FileExists(file()));
  EXPECT_TRUE(FileExists(dir_.string()));
  EXPECT_FALSE(IsReadOnlyFile(file()));
  chmod(file().c_str(), 0444);
  EXPECT_TRUE(IsReadOnlyFile(file()));
  ClearReadOnly(file());
  EXPECT_FALSE(IsReadOnlyFile(file()));
  struct stat st;
  ASSERT_EQ(stat(file().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  ClearReadOnly((dir_ / "missing").string());  // nothing to do, nothing breaks
}

TEST_F(FileNamesTest, ExpansionGivesTheCanonicalPathOfExistingFiles) {
  Write(file());
  const std::string roundabout = dir_.string() + "/./sub/../script.pl";
  fs::create_directories(dir_ / "sub");
  const auto expanded = ExpandLongPath(roundabout);
  ASSERT_TRUE(expanded.has_value());
  EXPECT_EQ(*expanded, fs::canonical(file()).string());
  EXPECT_EQ(PathForOpening(roundabout), *expanded);

  const std::string missing = dir_.string() + "/./nothing.pl";
  EXPECT_FALSE(ExpandLongPath(missing).has_value());
  EXPECT_EQ(PathForOpening(missing), missing);

  EXPECT_EQ(PathForOpening("//server/share/a.pl"), "//server/share/a.pl");
  EXPECT_FALSE(ExpandLongPath("").has_value());
}

}  // namespace

namespace {

// Only an absolute folder with an executable regular perl counts; jperl alone
// or a folder named perl does not.
TEST_F(FileNamesTest, PerlFolderOnPathTakesTheFirstFolderWithAnExecutablePerl) {
  const auto folder = [this](const char* name) {
    fs::create_directories(dir_ / name);
    return (dir_ / name).string();
  };
  const std::string plain = folder("plain"), jperlOnly = folder("jperl"), noExec = folder("noexec"),
                    named = folder("named"), real = folder("real");
  Write(jperlOnly + "/jperl");
  fs::permissions(jperlOnly + "/jperl", fs::perms::owner_exec, fs::perm_options::add);
  Write(noExec + "/perl");
  fs::create_directories(named + "/perl");
  Write(real + "/perl");
  fs::permissions(real + "/perl", fs::perms::owner_exec, fs::perm_options::add);
  const std::string canonical = fs::canonical(real).string();
  EXPECT_EQ(PerlFolderOnPath(plain + ":" + jperlOnly + ":" + noExec + ":" + named + "::" + real), canonical);
  EXPECT_EQ(PerlFolderOnPath(real + "/../real:" + plain), canonical);
  // A relative entry would depend on the folder the editor started from.
  EXPECT_EQ(PerlFolderOnPath(fs::relative(real).string()), "");
  EXPECT_EQ(PerlFolderOnPath(""), "");
  EXPECT_EQ(PerlFolderOnPath(plain), "");
}

}  // namespace
