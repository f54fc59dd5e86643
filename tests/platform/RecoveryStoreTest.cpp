// Recovery copies across a program's death: written by a forked writer, claimed only once their program is gone, and gone after a normal end.
#include "platform/RecoveryStore.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

namespace fs = std::filesystem;

struct TempFolder {
  fs::path path = fs::temp_directory_path() / ("corvella-recovery-" + std::to_string(::getpid()));
  TempFolder() { fs::create_directories(path); }
  ~TempFolder() { fs::remove_all(path); }
};

RecoveryRecord Sample(std::string path, std::string text) {
  RecoveryRecord r;
  r.path = std::move(path);
  r.title = "t\n\xE3\x81\x82";  // any bytes, line ends included
  r.kanjiCode = 3;
  r.crlf = 2;
  r.text = std::move(text);
  return r;
}

// Writes `record` as copy `serial` of `store` and waits for the writer.
bool WriteCopy(RecoveryStore& store, int serial, const RecoveryRecord& record) {
  const pid_t writer = store.WriteInChild(serial, FormatRecoveryHeader(record, record.text.size()), [&record](int fd) {
    return WriteAllTo(fd, record.text.data(), record.text.size());
  });
  if (writer <= 0) return false;
  bool written = false;
  while (!RecoveryStore::Ended(writer, &written)) ::usleep(1000);
  return written;
}

bool SameRecord(const RecoveryRecord& a, const RecoveryRecord& b) {
  return a.path == b.path && a.title == b.title && a.kanjiCode == b.kanjiCode && a.crlf == b.crlf &&
         a.readOnly == b.readOnly && a.text == b.text;
}

}  // namespace

TEST(RecoveryRecord, RoundTripAndTornCopies) {
  const RecoveryRecord r = Sample("/a b/\n.pl", std::string("x\0\r\n\x82\xA0", 6));
  const std::string whole = FormatRecoveryHeader(r, r.text.size()) + r.text;
  const auto back = ParseRecoveryRecord(whole);
  ASSERT_TRUE(back);
  EXPECT_TRUE(SameRecord(*back, r));
  EXPECT_FALSE(ParseRecoveryRecord(whole.substr(0, whole.size() - 1)));  // torn
  EXPECT_FALSE(ParseRecoveryRecord(whole + "x"));
  EXPECT_FALSE(ParseRecoveryRecord("CORVELLA-RECOVERY 2\n"));
}

TEST(RecoveryStore, CopiesOfADeadProgramAreClaimedOnceAndALiveOnesNever) {
  TempFolder folder;
  const RecoveryRecord first = Sample("/home/u/a.pl", "print 1;\r\n"), second = Sample("", "untitled text");
  // A program that writes two copies and is killed.
  const pid_t program = ::fork();
  if (program == 0) {
    RecoveryStore store(folder.path.string());
    const bool ok = WriteCopy(store, 1, first) && WriteCopy(store, 2, second);
    if (!ok) ::_exit(1);
    ::raise(SIGKILL);
  }
  int status = 0;
  ::waitpid(program, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));

  RecoveryStore live(folder.path.string());
  ASSERT_TRUE(WriteCopy(live, 1, Sample("/live.pl", "mine")));
  {
    RecoveryStore next(folder.path.string());
    std::vector<RecoveryRecord> claimed = next.ClaimAbandoned();
    ASSERT_EQ(claimed.size(), 2u);  // the live program's copy is not among them
    if (claimed[0].path.empty()) std::swap(claimed[0], claimed[1]);
    EXPECT_TRUE(SameRecord(claimed[0], first));
    EXPECT_TRUE(SameRecord(claimed[1], second));
    // Held while claimed: a third program starting meanwhile finds nothing.
    EXPECT_TRUE(RecoveryStore(folder.path.string()).ClaimAbandoned().empty());
    next.DropClaimed();
  }
  EXPECT_TRUE(RecoveryStore(folder.path.string()).ClaimAbandoned().empty());
  EXPECT_TRUE(fs::exists(live.CopyPath(1)));
}

// Only a copy the user declines is ever deleted: a torn, a random and an
// empty copy are kept aside and named; a finished ".part" still counts.
TEST(RecoveryStore, CopiesFailingTheirCheckAreKeptAsideNotDropped) {
  TempFolder folder;
  const RecoveryRecord good = Sample("/a.pl", "whole"), torn = Sample("/b.pl", std::string(5000, 'b'));
  const pid_t program = ::fork();
  if (program == 0) {
    RecoveryStore store(folder.path.string());
    if (!WriteCopy(store, 1, good) || !WriteCopy(store, 2, torn) || !WriteCopy(store, 3, good)) ::_exit(1);
    const std::string whole = FormatRecoveryHeader(torn, torn.text.size()) + torn.text;
    std::ofstream(store.CopyPath(2), std::ios::binary | std::ios::trunc) << whole.substr(0, 4000);
    std::ofstream(store.CopyPath(3), std::ios::binary | std::ios::trunc) << "\x93\xfa random";
    std::ofstream(store.CopyPath(4), std::ios::binary);
    std::ofstream(store.CopyPath(5) + ".part", std::ios::binary) << whole;
    std::ofstream(store.CopyPath(6) + ".part", std::ios::binary);  // a writer that had just begun
    ::raise(SIGKILL);
  }
  ::waitpid(program, nullptr, 0);
  RecoveryStore next(folder.path.string());
  std::vector<std::string> kept;
  const std::vector<RecoveryRecord> claimed = next.ClaimAbandoned(&kept);
  ASSERT_EQ(claimed.size(), 2u);
  EXPECT_TRUE(SameRecord(claimed[0], good) || SameRecord(claimed[1], good));
  EXPECT_TRUE(SameRecord(claimed[0], torn) || SameRecord(claimed[1], torn));
  ASSERT_EQ(kept.size(), 3u);
  for (const std::string& path : kept) EXPECT_TRUE(path.starts_with(next.KeptFolder()) && fs::exists(path)) << path;
  next.DropClaimed();
  EXPECT_EQ(std::distance(fs::directory_iterator(next.KeptFolder()), fs::directory_iterator()), 3);
}

// A program killed at any moment while its copies are written: the next
// start finds one whole copy, never a mixture, and never loses one silently.
TEST(RecoveryStore, KilledWhileWritingEveryCopyIsWholeOrKeptAside) {
  TempFolder folder;
  const RecoveryRecord a = Sample("/k.pl", std::string(3 << 20, 'a')), b = Sample("/k.pl", "b");
  std::mt19937 random(5);
  for (int round = 0; round < 50; ++round) {
    const pid_t program = ::fork();
    if (program == 0) {
      RecoveryStore store(folder.path.string());
      for (;;) WriteCopy(store, 1, a) && WriteCopy(store, 1, b);
    }
    ::usleep(static_cast<useconds_t>(random() % 20000));
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
    RecoveryStore next(folder.path.string());
    std::vector<std::string> kept;
    const std::vector<RecoveryRecord> claimed = next.ClaimAbandoned(&kept);
    for (const RecoveryRecord& r : claimed) EXPECT_TRUE(SameRecord(r, a) || SameRecord(r, b)) << round;
    for (const std::string& path : kept) EXPECT_TRUE(fs::file_size(path) > 0) << path;
    next.DropClaimed();
  }
}

TEST(RecoveryStore, ANormalEndLeavesNothing) {
  TempFolder folder;
  {
    RecoveryStore store(folder.path.string());
    ASSERT_TRUE(WriteCopy(store, 7, Sample("/x.pl", std::string(1 << 20, 'a'))));
    ASSERT_TRUE(WriteCopy(store, 7, Sample("/x.pl", "shorter")));  // replaced whole
  }
  EXPECT_TRUE(fs::is_empty(folder.path));
}

// The writer holds none of the program's descriptors: a script's input pipe
// closed by the program is closed for the script at once.
TEST(RecoveryStore, TheWriterLetsGoOfInheritedDescriptors) {
  TempFolder folder;
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  RecoveryStore store(folder.path.string());
  const int inherited = pipeEnds[1];
  const pid_t writer = store.WriteInChild(1, "h\n", [inherited](int) { return ::fcntl(inherited, F_GETFD) == -1; });
  ASSERT_GT(writer, 0);
  bool written = false;
  while (!RecoveryStore::Ended(writer, &written)) ::usleep(1000);
  EXPECT_TRUE(written);
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
}
