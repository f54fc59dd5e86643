// Files read ahead at start-up: handed over only while they are what was read, else read as a plain open reads them.
#include "platform/FilePrefetch.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace corvella;
namespace fs = std::filesystem;

namespace {

class FilePrefetchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "corvella-prefetch-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern + "/";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  std::string Path(const char* name) const { return dir + name; }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }
  // Bytes over several of the pieces the read is shared in.
  static std::string Bytes(unsigned seed) {
    std::mt19937 rng(seed);
    std::string bytes(5u << 20, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    return bytes;
  }
  static std::string Text(const FileBytesResult& file) {
    EXPECT_EQ(file.status, FileReadResult::Status::Ok);
    return file.bytes ? std::string(file.bytes.get(), file.size) : std::string();
  }

  std::string dir;
};

TEST_F(FilePrefetchTest, HandsOverTheBytesOfTheFilesItWasGiven) {
  const std::string a = Bytes(1), b = Bytes(2);
  Put(Path("a.pl"), a);
  Put(Path("b.pl"), b);
  Put(Path("c.pl"), "plain");
  FilePrefetch prefetch({Path("b.pl"), Path("a.pl"), Path("missing"), dir, Path("empty")});
  Put(Path("empty"), "");
  EXPECT_TRUE(Text(ReadPrefetchedOrWhole(Path("a.pl"))) == a);
  EXPECT_TRUE(Text(ReadPrefetchedOrWhole(Path("b.pl"))) == b);
  EXPECT_TRUE(Text(ReadPrefetchedOrWhole(Path("a.pl"))) == a);  // taken once, then read again
  EXPECT_EQ(Text(ReadPrefetchedOrWhole(Path("c.pl"))), "plain");
  EXPECT_EQ(ReadPrefetchedOrWhole(Path("empty")).size, 0u);
  // Failures are those of a plain read.
  const FileBytesResult missing = ReadPrefetchedOrWhole(Path("missing"));
  EXPECT_EQ(missing.status, FileReadResult::Status::Failed);
  EXPECT_EQ(missing.error, ENOENT);
  EXPECT_EQ(ReadPrefetchedOrWhole(dir).error, EISDIR);
}

TEST_F(FilePrefetchTest, AFileReplacedOrChangedMeanwhileIsReadAfresh) {
  const std::string old = Bytes(3), replaced = Bytes(4);
  Put(Path("swap.pl"), old);
  Put(Path("grow.pl"), old);
  Put(Path("same-size.pl"), old);
  Put(Path("gone.pl"), old);
  FilePrefetch prefetch({Path("swap.pl"), Path("grow.pl"), Path("same-size.pl"), Path("gone.pl")});
  // Another file renamed over the name, as a save does.
  Put(Path("new"), replaced);
  ASSERT_EQ(::rename(Path("new").c_str(), Path("swap.pl").c_str()), 0);
  // The file itself rewritten: longer, and of the same length with a new time.
  Put(Path("grow.pl"), replaced + "more");
  Put(Path("same-size.pl"), replaced);
  const struct timespec later[2] = {{0, UTIME_OMIT}, {2000000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, Path("same-size.pl").c_str(), later, 0), 0);
  ASSERT_EQ(::unlink(Path("gone.pl").c_str()), 0);

  EXPECT_TRUE(Text(ReadPrefetchedOrWhole(Path("swap.pl"))) == replaced);
  EXPECT_TRUE(Text(ReadPrefetchedOrWhole(Path("grow.pl"))) == replaced + "more");
  EXPECT_TRUE(Text(ReadPrefetchedOrWhole(Path("same-size.pl"))) == replaced);
  EXPECT_EQ(ReadPrefetchedOrWhole(Path("gone.pl")).error, ENOENT);
}

TEST_F(FilePrefetchTest, EndingItFreesWhatNobodyTook) {
  const std::string bytes = Bytes(5);
  Put(Path("x.pl"), bytes);
  {
    FilePrefetch prefetch({Path("x.pl")});
    prefetch.Finish();
    Put(Path("x.pl"), "after");
    EXPECT_EQ(Text(ReadPrefetchedOrWhole(Path("x.pl"))), "after");
  }
  FilePrefetch unused({Path("x.pl")});  // ended while it may still be reading
}

}  // namespace
