// Child processes with real perl: both output pipes, exit codes, folder, environment, standard input, stopping, and start failures.
#include "platform/ChildProcess.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

std::string ReadAll(ChildProcess& child) {
  std::string out;
  while (child.ReadSome(out, 1000)) {
  }
  return out;
}

ChildProcess::Options Perl(std::vector<std::string> args) {
  ChildProcess::Options o;
  o.argv = {"perl"};
  o.argv.insert(o.argv.end(), args.begin(), args.end());
  return o;
}

std::filesystem::path TempDir(const char* name) {
  const auto dir = std::filesystem::temp_directory_path() / (std::string(name) + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace

TEST(ChildProcessTest, OutputOfBothPipesAndTheExitCode) {
  ChildProcess child;
  ASSERT_TRUE(child.Start(Perl({"-e", "$|=1; print qq(out\\n); print STDERR qq(err\\n); exit 3"})));
  const std::string out = ReadAll(child);
  EXPECT_NE(out.find("out\n"), std::string::npos);
  EXPECT_NE(out.find("err\n"), std::string::npos);
  EXPECT_EQ(child.Wait(), 3);
  EXPECT_FALSE(child.Running());

  // Arguments arrive as they are: no shell in between.
  ChildProcess echo;
  ASSERT_TRUE(echo.Start(Perl({"-e", "print join(qq(|), @ARGV)", "a b", "$HOME;false", "\"q\"", ""})));
  EXPECT_EQ(ReadAll(echo), "a b|$HOME;false|\"q\"|");
  EXPECT_EQ(echo.Wait(), 0);

  // Megabytes of output are read as they come, without the child blocking.
  ChildProcess big;
  ASSERT_TRUE(big.Start(Perl({"-e", "print qq(x) x 100 . qq(\\n) for 1..50000; print STDERR qq(e) x 300000"})));
  const std::string all = ReadAll(big);
  EXPECT_EQ(all.size(), 101u * 50000 + 300000);
  EXPECT_EQ(big.Wait(), 0);
}

TEST(ChildProcessTest, FolderEnvironmentAndStandardInput) {
  const auto dir = TempDir("corvella-child-");
  std::ofstream(dir / "in.txt") << "line one\nline two\n";

  auto options = Perl({"-e", "use Cwd; print getcwd(), qq(\\n), $ENV{CORVELLA_X} // q(none), qq(\\n); print <STDIN>"});
  options.workingDir = dir.string();
  options.environment = std::vector<std::string>{"CORVELLA_X=set", "PATH=" + std::string(::getenv("PATH"))};
  options.stdinPath = (dir / "in.txt").string();
  ChildProcess child;
  ASSERT_TRUE(child.Start(options));
  EXPECT_EQ(ReadAll(child), std::filesystem::canonical(dir).string() + "\nset\nline one\nline two\n");
  EXPECT_EQ(child.Wait(), 0);

  // No standard input: the script reads an immediate end of file.
  ChildProcess empty;
  ASSERT_TRUE(empty.Start(Perl({"-e", "my @l = <STDIN>; print scalar(@l)"})));
  EXPECT_EQ(ReadAll(empty), "0");
  empty.Wait();
  std::filesystem::remove_all(dir);
}

TEST(ChildProcessTest, StoppingAndFailingToStart) {
  ChildProcess child;
  ASSERT_TRUE(child.Start(Perl({"-e", "$|=1; print qq(started\\n); sleep 30"})));
  std::string out;
  while (out.find("started") == std::string::npos && child.ReadSome(out, 2000)) {
  }
  ASSERT_NE(out.find("started"), std::string::npos);
  child.Terminate();
  EXPECT_EQ(child.Wait(), 128 + 9);
  int rounds = 0;  // the pipes reach their end once the child is gone
  while (child.ReadSome(out, 1000) && ++rounds < 10) {
  }
  EXPECT_LT(rounds, 10);

  ChildProcess missing;
  int error = 0;
  EXPECT_FALSE(missing.Start({{"corvella-no-such-program"}, {}, {}, {}, true}, &error));
  EXPECT_EQ(error, ENOENT);
  ChildProcess badFolder;
  auto options = Perl({"-e", "1"});
  options.workingDir = "/nonexistent/folder";
  EXPECT_FALSE(badFolder.Start(options, &error));
  EXPECT_EQ(error, ENOENT);
  ChildProcess nothing;
  EXPECT_FALSE(nothing.Start({}, &error));
  EXPECT_EQ(error, EINVAL);
}
