// Child processes with real perl and sh: the program found in the child's PATH, separate output pipes, files and pipes as standard streams, the wake-up, and stopping.
#include "platform/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace corvella;
using namespace std::string_literals;
namespace fs = std::filesystem;
using Progress = ChildProcess::Progress;
using Stream = ChildProcess::Stream;

namespace {

struct Result {
  std::string out;
  std::string err;
  int code = -1;
};

ChildProcess::Options Perl(std::vector<std::string> args) {
  ChildProcess::Options o;
  o.argv = {"perl"};
  o.argv.insert(o.argv.end(), args.begin(), args.end());
  return o;
}

// Starts the child, hands it `input` when its standard input is a pipe, and reads until the end.
Result RunToEnd(const ChildProcess::Options& options, std::string_view input = {}) {
  ChildProcess child;
  Result r;
  int error = 0;
  EXPECT_TRUE(child.Start(options, &error)) << "errno " << error;
  child.WriteInput(input);
  child.CloseInput();
  while (child.ReadSome(r.out, r.err, -1) == Progress::Open) {
  }
  r.code = child.Wait();
  return r;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class ChildProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "corvella-child-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  void Put(const fs::path& path, const std::string& bytes, mode_t mode = 0644) const {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    ::chmod(path.c_str(), mode);
  }

  fs::path dir;
};

}  // namespace

TEST_F(ChildProcessTest, ProgramIsLookedUpInTheChildsPath) {
  // Only the child's PATH holds the interpreter, behind a folder where the
  // name is a plain file and one where it is a folder: both are passed over.
  ASSERT_EQ(std::string(::getenv("PATH")).find(dir.string()), std::string::npos);
  Put(dir / "plain/fakeperl", "#!/bin/sh\necho plain\n", 0644);
  fs::create_directories(dir / "folder/fakeperl");
  Put(dir / "bin/fakeperl", "#!/bin/sh\necho fake \"$@\"\n", 0755);
  ChildProcess::Options options;
  options.argv = {"fakeperl", "a b", ""};
  options.environment = std::vector<std::string>{
      "HOME=/", "PATH=" + (dir / "folder").string() + ":" + (dir / "plain").string() + ":" + (dir / "bin").string()};
  Result r = RunToEnd(options);
  EXPECT_EQ(r.out, "fake a b \n");
  EXPECT_EQ(r.code, 0);

  // A relative folder counts from the child's working folder.
  options.environment = std::vector<std::string>{"PATH=bin:/usr/bin:/bin"};
  options.workingDir = dir.string();
  EXPECT_EQ(RunToEnd(options).out, "fake a b \n");

  // A PATH without the interpreter: not found, although the editor's PATH has perl.
  ChildProcess missing;
  int error = 0;
  auto noPerl = Perl({"-e", "1"});
  noPerl.environment = std::vector<std::string>{"PATH=" + (dir / "plain").string()};
  EXPECT_FALSE(missing.Start(noPerl, &error));
  EXPECT_EQ(error, ENOENT);

  auto badFolder = Perl({"-e", "1"});
  badFolder.workingDir = (dir / "nonexistent").string();
  EXPECT_FALSE(ChildProcess().Start(badFolder, &error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(ChildProcess().Start({}, &error));
  EXPECT_EQ(error, EINVAL);
}

TEST_F(ChildProcessTest, OutputAndErrorsArriveSeparatelyWithTheExitCode) {
  Result r = RunToEnd(Perl({"-e", "print qq(o\\0ut\\n); print STDERR qq(e\\0rr\\n); print qq(more); exit 3"}));
  EXPECT_EQ(r.out, "o\0ut\nmore"s);
  EXPECT_EQ(r.err, "e\0rr\n"s);
  EXPECT_EQ(r.code, 3);

  // Arguments arrive as they are: no shell in between.
  EXPECT_EQ(RunToEnd(Perl({"-e", "print join(qq(|), @ARGV)", "a b", "$HOME;false", "\"q\"", ""})).out,
            "a b|$HOME;false|\"q\"|");

  // The child does not inherit a signal the editor ignores.
  const auto oldPipe = std::signal(SIGPIPE, SIG_IGN);
  const Result pipeSignal = RunToEnd(Perl({"-e", "print $SIG{PIPE} // q(default)"}));
  std::signal(SIGPIPE, oldPipe);
  EXPECT_EQ(pipeSignal.out, "default");
}

TEST_F(ChildProcessTest, StandardStreamsFromAndIntoFiles) {
  Put(dir / "in.txt", "line one\nline\0two\n"s);
  Put(dir / "out.txt", "an older and longer text than the new one\n");
  auto options = Perl({"-e", "print <STDIN>; print STDERR qq(to the pipe\\n)"});
  options.in = Stream::File;
  options.inPath = (dir / "in.txt").string();
  options.out = Stream::File;
  options.outPath = (dir / "out.txt").string();
  Result r = RunToEnd(options);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "to the pipe\n");
  EXPECT_EQ(ReadFile(dir / "out.txt"), "line one\nline\0two\n"s);

  // A new file for the errors; no standard input reads an immediate end.
  const mode_t mask = ::umask(022);
  options = Perl({"-e", "my @l = <STDIN>; print STDERR scalar(@l)"});
  options.out = Stream::Null;
  options.err = Stream::File;
  options.errPath = (dir / "err.txt").string();
  r = RunToEnd(options);
  ::umask(mask);
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(ReadFile(dir / "err.txt"), "0");
  struct stat st {};
  ASSERT_EQ(::stat((dir / "err.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);

  // A file that cannot be opened stops the start.
  options.errPath = (dir / "no/such/folder").string();
  int error = 0;
  EXPECT_FALSE(ChildProcess().Start(options, &error));
  EXPECT_EQ(error, ENOENT);
}

TEST_F(ChildProcessTest, LargeInputThroughAPipeWhileLargeOutputComesBack) {
  // 4 MB in, 4 MB back on each pipe: neither side may wait for the other.
  std::string input;
  for (int i = 0; input.size() < 4 * 1024 * 1024; ++i) input += std::string(1, static_cast<char>(i % 256)) + "line\n";
  auto options = Perl({"-pe", "print STDERR $_"});
  options.in = Stream::Pipe;
  Result r = RunToEnd(options, input);
  EXPECT_EQ(r.out.size(), input.size());
  EXPECT_TRUE(r.out == input);
  EXPECT_TRUE(r.err == input);
  EXPECT_EQ(r.code, 0);

  // A child that reads none of it: the rest is dropped, the editor lives on.
  options = Perl({"-e", "print qq(done)"});
  options.in = Stream::Pipe;
  r = RunToEnd(options, input);
  EXPECT_EQ(r.out, "done");
  EXPECT_EQ(r.code, 0);
}

TEST_F(ChildProcessTest, WakeupEndsAWaitForOutputAtOnce) {
  ChildProcess child;
  ASSERT_TRUE(child.Start(Perl({"-e", "sleep 100"})));
  Wakeup wakeup;
  EXPECT_FALSE(wakeup.Signalled());
  std::thread stop([&wakeup] { wakeup.Signal(); });
  std::string out, err;
  // Without the wake-up this would wait for 100 seconds and say Open.
  EXPECT_EQ(child.ReadSome(out, err, 100000, wakeup.fd()), Progress::Woken);
  stop.join();
  EXPECT_TRUE(wakeup.Signalled());
  EXPECT_EQ(child.ReadSome(out, err, 100000, wakeup.fd()), Progress::Woken);
  EXPECT_FALSE(child.TryWait());
  child.Terminate();
  EXPECT_EQ(child.Wait(), 128 + SIGKILL);
}

// A child that closed its output but goes on is waited for, with its code,
// until the wake-up stops it.
TEST_F(ChildProcessTest, WaitingForTheEndUnlessStopped) {
  Wakeup wakeup;
  bool stopped = true;
  ChildProcess ends;
  ASSERT_TRUE(ends.Start(Perl({"-e", "close STDOUT; select undef, undef, undef, 0.2; exit 3"})));
  EXPECT_EQ(ends.WaitUnlessStopped(wakeup, &stopped), 3);
  EXPECT_FALSE(stopped);
  ChildProcess endless;
  ASSERT_TRUE(endless.Start(Perl({"-e", "close STDOUT; sleep 100"})));
  std::thread stop([&wakeup] { wakeup.Signal(); });
  EXPECT_EQ(endless.WaitUnlessStopped(wakeup, &stopped), 128 + SIGKILL);
  EXPECT_TRUE(stopped);
  stop.join();
}

TEST_F(ChildProcessTest, StoppingChildrenThatHoldOnOrIgnoreTerm) {
  // Both pipes closed but still running: TryWait tells, Terminate stops it.
  ChildProcess quiet;
  ASSERT_TRUE(quiet.Start(Perl({"-e", "close STDOUT; close STDERR; sleep 100"})));
  std::string out, err;
  while (quiet.ReadSome(out, err, -1) == Progress::Open) {
  }
  EXPECT_EQ(quiet.TryWait(), std::nullopt);
  quiet.Terminate();
  EXPECT_EQ(quiet.Wait(), 128 + SIGKILL);
  EXPECT_EQ(quiet.TryWait(), 128 + SIGKILL);

  // TERM ignored, and a grandchild in the group holds the pipes open.
  ChildProcess stubborn;
  ASSERT_TRUE(stubborn.Start(Perl({"-e", "$SIG{TERM} = q(IGNORE); fork or do { sleep 100; exit }; $| = 1; "
                                         "print qq(ready\\n); sleep 100"})));
  while (out.find("ready") == std::string::npos && stubborn.ReadSome(out, err, -1) == Progress::Open) {
  }
  ASSERT_EQ(out, "ready\n");
  stubborn.Terminate();
  EXPECT_EQ(stubborn.Wait(), 128 + SIGKILL);
  // The pipes end only once the grandchild is gone too.
  Progress p = Progress::Open;
  for (int round = 0; round < 4 && p == Progress::Open; ++round) p = stubborn.ReadSome(out, err, 10000);
  EXPECT_EQ(p, Progress::Ended);
}
