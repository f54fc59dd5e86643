// A script under a run comes back at the next start when the editor died during the run, and only as the user's bytes: never from a damaged record, never over a newer file.
#include "platform/RunJournal.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/ContentHash.h"
#include "platform/FileNames.h"
#include "platform/Leftovers.h"
#include "platform/RunCopy.h"

using namespace corvella;

namespace {

namespace fs = std::filesystem;
using Outcome = AbandonedRun::Outcome;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A folder with scripts/, the state folder and the temporary folder, made
// the process's own for RunCopy.
class RunJournalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"XDG_STATE_HOME", "TMPDIR"}) {
      if (const char* value = std::getenv(name)) saved.emplace_back(name, value);
    }
    fs::create_directories(dir / "scripts");
    fs::create_directories(dir / "tmp");
    ::setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
    ::setenv("TMPDIR", (dir / "tmp").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_STATE_HOME");
    ::unsetenv("TMPDIR");
    for (const auto& [name, value] : saved) ::setenv(name.c_str(), value.c_str(), 1);
    for (const char* mounted : {"small", "small-state"}) ::umount2((dir / mounted).c_str(), MNT_DETACH);
    fs::remove_all(dir);
  }

  // Runs `body` in a child that is killed as soon as it is done (or after
  // `delay` microseconds), as a program dies.
  static void InKilledChild(const std::function<void()>& body, long delay = -1) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      body();
      if (delay < 0) ::raise(SIGKILL);
      ::pause();
    }
    if (delay >= 0) {
      ::usleep(static_cast<useconds_t>(delay));
      ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
  }

  std::vector<std::pair<std::string, std::string>> saved;
  const fs::path dir = fs::temp_directory_path() / ("corvella-journal-" + std::to_string(::getpid()));
  const RunJournal journal{(dir / "state" / "Corvella" / "runs").string()};
  const fs::path script = dir / "scripts" / "my run.pl";
};

TEST_F(RunJournalTest, AKilledRunIsPutBackALiveOneIsLeftAlone) {
  const std::string mine = "print 1;\r\n# the user's own\n";
  Write(script, mine);
  InKilledChild([&] { RunCopy::Start(script.string(), "the run copy", nullptr); });
  ASSERT_EQ(Read(script), "the run copy");
  EXPECT_EQ(Read(GetTempCopyPath(script.string())), mine);

  const fs::path live = dir / "scripts" / "live.pl";
  Write(live, "live\n");
  ASSERT_EQ(RunCopy::Start(live.string(), "copy", nullptr), RunCopy::Failure::None);

  const std::vector<AbandonedRun> runs = journal.RecoverAbandoned();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].outcome, Outcome::Restored);
  EXPECT_EQ(runs[0].script, script.string());
  EXPECT_EQ(Read(script), mine);
  EXPECT_EQ(Read(live), "copy");
  EXPECT_TRUE(journal.RecoverAbandoned().empty());  // each run is dealt with once

  // The dead program's temporary copy goes; the live run's stays until its end.
  RemoveLeftovers(TempFolder(), journal);
  EXPECT_FALSE(fs::exists(GetTempCopyPath(script.string())));
  EXPECT_TRUE(fs::exists(GetTempCopyPath(live.string())));
  EXPECT_EQ(RunCopy::PutBack(live.string()), 0);
  EXPECT_EQ(Read(live), "live\n");
  EXPECT_TRUE(fs::is_empty(journal.Folder()));
}

TEST_F(RunJournalTest, DamagedRecordsAreNeverAppliedAndKeptAside) {
  const fs::path other = dir / "scripts" / "other.pl";
  Write(script, "mine");
  Write(other, "other's own");
  // A sound record whose bytes were damaged afterwards.
  InKilledChild([&] { RunCopy::Start(script.string(), "run copy", nullptr); });
  for (const auto& entry : fs::directory_iterator(journal.Folder())) {
    if (entry.path().extension() == ".bytes") Write(entry.path(), "garbage!");
  }
  // An empty record and one of random bytes, both of a program that is gone.
  pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  Write(fs::path(journal.Folder()) / (std::to_string(gone) + "-empty.run"), "");
  std::mt19937 random(7);
  std::string noise(300, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  Write(fs::path(journal.Folder()) / (std::to_string(gone) + "-noise.run"), noise);

  const std::vector<AbandonedRun> runs = journal.RecoverAbandoned();
  ASSERT_EQ(runs.size(), 3u);
  int named = 0;
  for (const AbandonedRun& run : runs) {
    EXPECT_EQ(run.outcome, Outcome::Damaged);
    EXPECT_TRUE(run.kept.starts_with(journal.KeptFolder())) << run.kept;
    EXPECT_TRUE(fs::exists(run.kept));
    if (run.script != script.string()) continue;
    ++named;
    EXPECT_EQ(Read(run.kept), "garbage!");
  }
  EXPECT_EQ(named, 1);
  EXPECT_EQ(Read(script), "run copy");
  EXPECT_EQ(Read(other), "other's own");
  EXPECT_TRUE(journal.RecoverAbandoned().empty());
}

TEST_F(RunJournalTest, AFileChangedSinceTheRunIsLeftAloneAndTheOldBytesKept) {
  Write(script, "before the run");
  InKilledChild([&] { RunCopy::Start(script.string(), "run copy", nullptr); });
  Write(script, "rewritten by another program");
  const std::vector<AbandonedRun> runs = journal.RecoverAbandoned();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].outcome, Outcome::Changed);
  EXPECT_EQ(Read(script), "rewritten by another program");
  EXPECT_EQ(Read(runs[0].kept), "before the run");

  // A run whose put-back failed, then a save: the save ends the wait, and
  // nothing later writes the old bytes over it.
  Write(script, "mine");
  ASSERT_EQ(RunCopy::Start(script.string(), "run copy", nullptr), RunCopy::Failure::None);
  const std::string waiting = RunCopy::WaitingBytes(script.string());
  Write(waiting, "damaged");
  EXPECT_NE(RunCopy::PutBack(script.string()), 0);
  EXPECT_EQ(Read(script), "run copy");
  ASSERT_EQ(RunCopy::Save(script.string(), "saved later"), 0);
  EXPECT_FALSE(journal.Find(script.string()));
  EXPECT_FALSE(fs::exists(waiting));
}

// Runs with saves in between, killed at random moments, and restores killed
// too: the script is always one of the user's saves once the next start is
// through, never a run copy, and the record is never taken for damaged.
TEST_F(RunJournalTest, KilledAtAnyMomentTheScriptIsAlwaysTheUsersLastSave) {
  std::mt19937 random(2026);
  int lastSaved = 0;
  Write(script, "saved 0");
  for (int round = 0; round < 50; ++round) {
    const int first = lastSaved + 1;
    InKilledChild([&] {
      for (int n = first;; ++n) {
        RunCopy::Start(script.string(), "run copy " + std::to_string(n), nullptr);
        RunCopy::Save(script.string(), "saved " + std::to_string(n));
        RunCopy::PutBack(script.string());
      }
    }, static_cast<long>(random() % 20000));
    InKilledChild([&] { journal.RecoverAbandoned(); }, static_cast<long>(random() % 3000));
    for (const AbandonedRun& run : journal.RecoverAbandoned()) {
      EXPECT_TRUE(run.outcome == Outcome::Restored || run.outcome == Outcome::Changed) << round;
    }
    const std::string now = Read(script);
    ASSERT_TRUE(now.starts_with("saved ")) << "round " << round << ": " << now;
    const int saved = std::atoi(now.c_str() + 6);
    EXPECT_GE(saved, lastSaved) << round;
    lastSaved = saved;
  }
}

// A file with a second name is written into, not replaced: both names keep
// the one file. Killed in the middle, the next start never writes over it
// and keeps the old bytes where the user is told.
TEST_F(RunJournalTest, SavesIntoAFileOfTwoNamesKeepBothAndSurviveAKill) {
  const fs::path link = dir / "scripts" / "second name.pl";
  Write(script, "first");
  fs::create_hard_link(script, link);
  ASSERT_EQ(RunCopy::Save(script.string(), "second"), 0);
  EXPECT_EQ(Read(link), "second");
  ASSERT_EQ(fs::hard_link_count(script), 2u);
  ASSERT_EQ(RunCopy::Start(script.string(), "run copy", nullptr), RunCopy::Failure::None);
  EXPECT_EQ(Read(link), "run copy");
  ASSERT_EQ(RunCopy::PutBack(script.string()), 0);
  EXPECT_EQ(Read(link), "second");

  const RunJournal saves(RunJournal::SavesFolder(), RunJournal::Kind::Save);
  const std::string big(4 << 20, 'b'), small = "small";
  std::mt19937 random(19);
  // What a cut save keeps is what the file held before it: one of the two.
  ASSERT_EQ(RunCopy::Save(script.string(), small), 0);
  for (int round = 0; round < 20; ++round) {
    InKilledChild([&] {
      for (;;) {
        RunCopy::Save(script.string(), big);
        RunCopy::Save(script.string(), small);
      }
    }, static_cast<long>(random() % 30000));
    const std::string now = Read(script);
    for (const AbandonedRun& run : saves.RecoverAbandoned()) {
      ASSERT_EQ(run.outcome, Outcome::Changed) << round;
      const std::string kept = Read(run.kept);
      EXPECT_TRUE(kept == big || kept == small) << round;
    }
    EXPECT_EQ(Read(script), now) << "a cut save is never written over";
    EXPECT_EQ(fs::hard_link_count(script), 2u);
    ASSERT_EQ(RunCopy::Save(script.string(), small), 0);  // as the user saves again
  }
}

// In a shared folder (sticky, as /tmp is) a file of another user that this
// user may write cannot be replaced: it is written into, and stays theirs.
TEST_F(RunJournalTest, AnotherUsersWritableFileInASharedFolderIsSaved) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs a second user; run as root";
  const fs::path shared = dir / "shared";
  fs::create_directories(shared);
  fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
  const fs::path theirs = shared / "theirs.pl";
  Write(theirs, "root's");
  fs::permissions(theirs, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::setenv("XDG_STATE_HOME", (shared / "state").c_str(), 1);
    ::_exit(RunCopy::Save(theirs.string(), "written by another user") == 0 ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(Read(theirs), "written by another user");
  struct stat st;
  ASSERT_EQ(::stat(theirs.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
}

// A full disk at each step: the script's folder full when the run copy or
// a save is written, full again at the run's end, and the state folder full
// before a run. The script is always the user's last save or a run copy that
// a checked record can put back.
TEST_F(RunJournalTest, AFullDiskAtEachStepLosesNothing) {
  const fs::path small = dir / "small", state = dir / "small-state";
  fs::create_directories(small);
  fs::create_directories(state);
  if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k") != 0 ||
      ::mount("tmpfs", state.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "needs to mount a small tmpfs; run as root";
  }
  const fs::path script = small / "s.pl";
  const std::string mine(100 << 10, 'm'), big(300 << 10, 'b');
  Write(script, mine);
  EXPECT_NE(RunCopy::Save(script.string(), big), 0);
  EXPECT_EQ(RunCopy::Start(script.string(), big, nullptr), RunCopy::Failure::Write);
  EXPECT_EQ(Read(script), mine);
  EXPECT_FALSE(journal.Find(script.string()));

  // Full at the run's end: the run copy stays, named by its record, until a save.
  ASSERT_EQ(RunCopy::Start(script.string(), "run copy", nullptr), RunCopy::Failure::None);
  Write(small / "filler", std::string(200 << 10, 'f'));
  EXPECT_NE(RunCopy::PutBack(script.string()), 0);
  EXPECT_EQ(Read(script), "run copy");
  fs::remove(small / "filler");
  ASSERT_EQ(RunCopy::Save(script.string(), "saved after"), 0);
  EXPECT_FALSE(journal.Find(script.string()));
  EXPECT_TRUE(journal.RecoverAbandoned().empty());
  EXPECT_EQ(Read(script), "saved after");

  // No room for the record: no run.
  Write(script, mine);
  ::setenv("XDG_STATE_HOME", state.c_str(), 1);
  EXPECT_EQ(RunCopy::Start(script.string(), "run copy", nullptr), RunCopy::Failure::Record);
  EXPECT_EQ(Read(script), mine);
}

TEST(RunRecord, RoundTripAndEveryDamageIsSeen) {
  RunRecord r;
  r.script = "/a b/\n\xE3\x81\x82.pl";
  r.bytesFile = "12-ab.3.bytes";
  r.savedSize = 5;
  r.savedHash = HashOf("saved");
  r.copySize = 4;
  r.copyHash = HashOf("copy");
  r.mode = 0444;
  const std::string text = FormatRunRecord(r);
  const auto back = ParseRunRecord(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(FormatRunRecord(*back), text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string flipped = text;
    flipped[i] ^= 0x04;
    EXPECT_FALSE(ParseRunRecord(flipped)) << i;
    EXPECT_FALSE(ParseRunRecord(text.substr(0, i))) << i;
  }
  r.bytesFile = "../elsewhere";
  EXPECT_FALSE(ParseRunRecord(FormatRunRecord(r)));
  ContentHash pieces;
  for (const char* piece : {"sav", "", "ed and more than eight", " bytes"}) pieces.Add(piece);
  EXPECT_EQ(pieces.Value(), HashOf("saved and more than eight bytes"));
  EXPECT_NE(HashOf(std::string(3, '\0')), HashOf(std::string(4, '\0')));
}

}  // namespace
