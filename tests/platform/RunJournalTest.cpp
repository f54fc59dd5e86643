// A script under a run is put back at the next start when the editor died during the run, and only then.
#include "platform/RunJournal.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(RunJournal, ScriptsOfAKilledRunAreRestoredThoseOfALiveOneAreNot) {
  const fs::path dir = fs::temp_directory_path() / ("corvella-journal-" + std::to_string(::getpid()));
  fs::create_directories(dir / "scripts");
  const RunJournal journal((dir / "state").string());
  const fs::path killed = dir / "scripts" / "my run.pl";
  const fs::path live = dir / "scripts" / "live.pl";
  std::ofstream(killed, std::ios::binary) << "print 1;\r\n# the user's own\n";
  std::ofstream(live, std::ios::binary) << "live\n";

  // A program holds a run of `killed` and is killed with the run copy in place.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!journal.Begin(killed.string())) ::_exit(1);
    std::ofstream(killed, std::ios::binary | std::ios::trunc) << "the run copy";
    ::raise(SIGKILL);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_EQ(Read(killed), "the run copy");

  // This process holds a run of `live`: the next start leaves it alone.
  ASSERT_TRUE(journal.Begin(live.string()));
  std::ofstream(live, std::ios::binary | std::ios::trunc) << "copy";

  EXPECT_EQ(journal.RecoverAbandoned(), std::vector<std::string>{killed.string()});
  EXPECT_EQ(Read(killed), "print 1;\r\n# the user's own\n");
  EXPECT_EQ(Read(live), "copy");
  EXPECT_TRUE(journal.RecoverAbandoned().empty());  // each run is put back once
  journal.End(live.string());
  EXPECT_TRUE(fs::is_empty(dir / "state"));
  fs::remove_all(dir);
}

}  // namespace
