// Where the recovery copies of modified documents live between a crash and the next start: one lock per running program, its copies beside it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

#include "platform/RecoveryRecord.h"

namespace corvella {

// Each running program holds a lock file (an flock on "<id>.lock") for as
// long as it lives; its copies are "<id>.<serial>.rec". A lock that can be
// taken belongs to a program that died: its copies are abandoned. Two running
// programs never take each other's copies, and two programs starting at once
// never both claim the same ones.
class RecoveryStore {
 public:
  // StateFolder() + "recovery/".
  static std::string DefaultFolder();

  explicit RecoveryStore(std::string folder = DefaultFolder());
  // A normal end: this program's copies and its lock go.
  ~RecoveryStore();
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  // Writes `header` and then what `body` writes to the descriptor as copy
  // `serial`, in a forked child: the child's memory is a snapshot of the
  // caller's at this moment, so the caller goes on at once and may change
  // its text meanwhile. `body` runs in the child and must not allocate or
  // lock. The copy replaces the previous one only once complete. Answers the
  // child (see Ended), or -1 when none could be started.
  pid_t WriteInChild(int serial, const std::string& header, const std::function<bool(int fd)>& body);
  // Reaps the child once it has ended; `written` tells whether the copy is in place.
  static bool Ended(pid_t child, bool* written = nullptr);
  void Remove(int serial);
  std::string CopyPath(int serial) const;

  // Copies of programs that are no longer running, read whole; their locks
  // stay held by this object until DropClaimed, so nobody else claims them.
  // A copy that fails its check is never dropped: it goes to KeptFolder()
  // and its new path to `keptAside`, for the user to open.
  std::vector<RecoveryRecord> ClaimAbandoned(std::vector<std::string>* keptAside = nullptr);
  std::string KeptFolder() const { return m_folder + "kept/"; }
  // Deletes the claimed copies and the locks of their programs.
  void DropClaimed();

 private:
  bool EnsureLock();

  std::string m_folder;
  std::string m_id;  // "<pid>-<start time>": unique even when a pid comes again
  int m_lock = -1;
  std::vector<int> m_claimedLocks;
  std::vector<std::string> m_claimedFiles;
};

// Asks the kernel for huge pages over [bytes, bytes + size): a forked writer
// then copies a large document's page tables in a fraction of the time.
void AdviseHugePages(void* bytes, std::size_t size);

// Writes all of `bytes` to `fd`, going on after interruptions; allocates nothing.
bool WriteAllTo(int fd, const char* bytes, std::size_t size);

}  // namespace corvella
