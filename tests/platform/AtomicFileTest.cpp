// Whole-file reads, atomic replacement and copies on real files in a temporary folder.
#include "platform/AtomicFile.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/RunCopy.h"
#include "support/FileSizeLimit.h"

using namespace corvella;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "corvella-atomic-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern + "/";
  }
  void TearDown() override {
    ::chmod(dir.c_str(), 0700);
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  std::string Path(const char* name) const { return dir + name; }

  static void Put(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
    { std::ofstream(path, std::ios::binary) << bytes; }
    ::chmod(path.c_str(), mode);
  }
  static std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static mode_t Mode(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
  }
  std::size_t Entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})); }

  std::string dir;
};

using corvella::test::FileSizeLimit;

}  // namespace

TEST_F(AtomicFileTest, ReadsWholeFilesAndRefusesWhatItCannotLoad) {
  const std::string bytes = "a\0b\r\n\x82\xA0"s;
  Put(Path("x.pl"), bytes);
  FileReadResult r = ReadWholeFile(Path("x.pl"));
  EXPECT_EQ(r.status, FileReadResult::Status::Ok);
  EXPECT_EQ(r.bytes, bytes);

  EXPECT_EQ(ReadWholeFile(Path("x.pl"), bytes.size()).status, FileReadResult::Status::Ok);
  r = ReadWholeFile(Path("x.pl"), bytes.size() - 1);
  EXPECT_EQ(r.status, FileReadResult::Status::TooLarge);
  EXPECT_TRUE(r.bytes.empty());

  // Just over the limit, without the disk space: nothing is read at all.
  Put(Path("big"), "");
  ASSERT_EQ(::truncate(Path("big").c_str(), 0x80000000LL), 0);
  EXPECT_EQ(ReadWholeFile(Path("big")).status, FileReadResult::Status::TooLarge);

  r = ReadWholeFile(Path("missing"));
  EXPECT_EQ(r.status, FileReadResult::Status::Failed);
  EXPECT_EQ(r.error, ENOENT);
  r = ReadWholeFile(dir);
  EXPECT_EQ(r.status, FileReadResult::Status::Failed);
  EXPECT_EQ(r.error, EISDIR);
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  EXPECT_EQ(ReadWholeFile(Path("fifo")).error, EINVAL);  // refused, not waited on
}

TEST_F(AtomicFileTest, WritesNewFilesAndReplacesOldOnesKeepingTheirMode) {
  const mode_t mask = ::umask(022);
  EXPECT_EQ(WriteFileAtomically(Path("new.pl"), "one\0two"s), 0);
  EXPECT_EQ(Get(Path("new.pl")), "one\0two"s);
  EXPECT_EQ(Mode(Path("new.pl")), 0644u);

  Put(Path("run.pl"), "old old old", 0750);
  EXPECT_EQ(WriteFileAtomically(Path("run.pl"), "new"), 0);
  EXPECT_EQ(Get(Path("run.pl")), "new");
  EXPECT_EQ(Mode(Path("run.pl")), 0750u);
  EXPECT_EQ(Entries(), 2u) << "no file left beside the targets";
  ::umask(mask);

  // Through a link: the file it names changes, the link stays a link.
  Put(Path("real.pl"), "before", 0600);
  fs::create_symlink("real.pl", Path("link.pl"));
  EXPECT_EQ(WriteFileAtomically(Path("link.pl"), "after"), 0);
  EXPECT_TRUE(fs::is_symlink(Path("link.pl")));
  EXPECT_EQ(Get(Path("real.pl")), "after");
  EXPECT_EQ(Mode(Path("real.pl")), 0600u);
}

TEST_F(AtomicFileTest, FailedWritesLeaveTheOldFileAndNoLeftovers) {
  Put(Path("keep.pl"), "precious", 0644);

  {
    FileSizeLimit limit(4);
    EXPECT_EQ(WriteFileAtomically(Path("keep.pl"), "much longer than four bytes"), EFBIG);
    EXPECT_EQ(WriteFileAtomically(Path("fresh.pl"), "much longer than four bytes"), EFBIG);
  }
  EXPECT_EQ(Get(Path("keep.pl")), "precious");
  EXPECT_FALSE(fs::exists(Path("fresh.pl")));

  fs::create_directory(Path("folder.pl"));
  Put(Path("folder.pl/inside"), "x");
  EXPECT_EQ(WriteFileAtomically(Path("folder.pl"), "text"), EISDIR);
  EXPECT_EQ(Get(Path("folder.pl/inside")), "x");

  Put(Path("ro.pl"), "read only", 0444);
  EXPECT_EQ(WriteFileAtomically(Path("ro.pl"), "text"), EACCES);
  EXPECT_EQ(Get(Path("ro.pl")), "read only");

  EXPECT_EQ(WriteFileAtomically(Path("no/such/folder.pl"), "text"), ENOENT);
  EXPECT_EQ(Entries(), 3u) << "keep.pl, folder.pl and ro.pl only";
}

TEST_F(AtomicFileTest, UnwritableFolderRefusesWithoutTouchingTheFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  Put(Path("keep.pl"), "precious", 0644);
  ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
  EXPECT_EQ(WriteFileAtomically(Path("keep.pl"), "new"), EACCES);
  EXPECT_EQ(Get(Path("keep.pl")), "precious");
}

TEST_F(AtomicFileTest, CopiesBytesAndModeOverAnyFile) {
  Put(Path("script.pl"), "bytes\0kept"s, 0444);
  Put(Path("copy_$"), "stale copy", 0444);  // a read-only older copy is replaced too
  EXPECT_EQ(CopyFileOver(Path("script.pl"), Path("copy_$")), 0);
  EXPECT_EQ(Get(Path("copy_$")), "bytes\0kept"s);
  EXPECT_EQ(Mode(Path("copy_$")), 0444u);

  EXPECT_EQ(CopyFileOver(Path("missing"), Path("copy_$")), ENOENT);
  EXPECT_EQ(CopyFileOver(dir, Path("copy_$")), EISDIR);
  fs::create_directory(Path("dir_$"));
  EXPECT_EQ(CopyFileOver(Path("script.pl"), Path("dir_$")), EISDIR);
  EXPECT_EQ(Get(Path("copy_$")), "bytes\0kept"s);
  EXPECT_EQ(Entries(), 3u);
}

namespace {

// A program killed in the middle of a save leaves its new file beside the
// target; a later save or open of the target removes it, but never the new
// file of a program still running.
TEST_F(AtomicFileTest, NewFilesOfKilledSavesGoNotThoseOfLiveOnes) {
  const std::string target = Path("big.pl");
  Put(target, "old");
  const auto siblings = [this] {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) count += entry.path().filename().string().starts_with(".big.pl.");
    return count;
  };
  for (int attempt = 0; attempt < 50 && siblings() == 0; ++attempt) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) WriteFileAtomically(target, std::string(8 << 20, 'x'));
    }
    while (siblings() == 0) ::usleep(100);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
  }
  Put(dir + ".big.pl." + std::to_string(::getpid()) + "-0-1.tmp", "a live save's");
  ASSERT_EQ(siblings(), 2);
  RemoveStaleSaveFiles(target);
  EXPECT_EQ(siblings(), 1);
  EXPECT_TRUE(fs::exists(dir + ".big.pl." + std::to_string(::getpid()) + "-0-1.tmp"));
}

// A save whose bytes are made as they are written: a full disk or a failing
// producer leaves the old file, and a kill at any moment leaves either the
// old bytes or all of the new ones.
TEST_F(AtomicFileTest, AStreamedSaveEndsWholeOrNotAtAll) {
  const std::string target = Path("stream.pl");
  Put(target, "old");
  const auto pieces = [](std::size_t count, int failAt) {
    return [count, failAt](const ByteWriter& write) {
      const std::string piece(1 << 20, 'n');
      for (std::size_t i = 0; i < count; ++i) {
        if (static_cast<int>(i) == failAt) return EIO;
        if (const int e = write(piece)) return e;
      }
      return 0;
    };
  };
  {
    FileSizeLimit limit(3 << 20);
    EXPECT_EQ(RunCopy::Save(target, pieces(8, -1)), EFBIG);
  }
  EXPECT_EQ(RunCopy::Save(target, pieces(8, 5)), EIO);
  EXPECT_EQ(Get(target), "old");
  EXPECT_EQ(Entries(), 1u);

  std::mt19937 rng(7);
  for (int round = 0; round < 12; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      (void)RunCopy::Save(target, pieces(8, -1));
      ::_exit(0);
    }
    ::usleep(rng() % 40000);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string now = Get(target);
    ASSERT_TRUE(now == "old" || now == std::string(std::size_t{8} << 20, 'n')) << "round " << round;
  }
}

}  // namespace
