// Files that programs which are gone left in the temporary folder.
#include "platform/Leftovers.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <set>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "platform/RunJournal.h"
#include "platform/RunRecord.h"

namespace corvella {
namespace {

namespace fs = std::filesystem;

bool Gone(long pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

bool OwnRegularFile(const fs::path& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid();
}

}  // namespace

void RemoveLeftovers(const std::string& tempFolder, const RunJournal& journal) {
  std::error_code ec;
  // The temporary copies the journal's runs (of live programs, or waiting
  // for a later put-back) may still use.
  std::set<std::string> needed;
  for (const auto& entry : fs::directory_iterator(journal.Folder(), ec)) {
    if (entry.path().extension() != ".run") continue;
    const FileReadResult read = ReadWholeFile(entry.path().string(), 1 << 20);
    if (read.status != FileReadResult::Status::Ok) continue;
    if (const auto record = ParseRunRecord(read.bytes)) needed.insert(GetTempCopyPath(record->script));
  }
  const std::string folder = tempFolder.ends_with('/') ? tempFolder : tempFolder + "/";
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    bool stale = false;
    if (name.starts_with("corvella-")) {
      char* end = nullptr;
      const long pid = std::strtol(name.c_str() + 9, &end, 10);
      stale = std::string_view(end).starts_with("-run.") && Gone(pid);
    } else if (name.ends_with("_$")) {
      stale = !needed.contains(folder + name);
    }
    if (stale && OwnRegularFile(entry.path())) RemoveIfExists(entry.path().string());
  }
}

}  // namespace corvella
