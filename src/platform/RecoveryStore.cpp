// Where the recovery copies of modified documents live between a crash and the next start.
#include "platform/RecoveryStore.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/FileNames.h"

namespace corvella {
namespace fs = std::filesystem;

bool WriteAllTo(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

void AdviseHugePages(void* bytes, std::size_t size) {
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(bytes);
  const std::uintptr_t first = (start + page - 1) / page * page;
  if (first >= start + size) return;
  ::madvise(reinterpret_cast<void*>(first), (start + size - first) / page * page, MADV_HUGEPAGE);
}

std::string RecoveryStore::DefaultFolder() { return StateFolder() + "recovery/"; }

RecoveryStore::RecoveryStore(std::string folder) : m_folder(std::move(folder)) {
  if (!m_folder.empty() && m_folder.back() != '/') m_folder += '/';
  const auto started = std::chrono::system_clock::now().time_since_epoch();
  m_id = std::to_string(::getpid()) + "-" +
         std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(started).count());
}

RecoveryStore::~RecoveryStore() {
  DropClaimed();
  if (m_lock < 0) return;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(m_folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(m_id + ".") && name != m_id + ".lock") fs::remove(entry.path(), ec);
  }
  // The lock goes last, so that no copy is ever left without one.
  fs::remove(m_folder + m_id + ".lock", ec);
  ::close(m_lock);
}

std::string RecoveryStore::CopyPath(int serial) const {
  return m_folder + m_id + "." + std::to_string(serial) + ".rec";
}

bool RecoveryStore::EnsureLock() {
  if (m_lock >= 0) return true;
  std::error_code ec;
  fs::create_directories(m_folder, ec);
  ::chmod(m_folder.c_str(), 0700);
  const std::string path = m_folder + m_id + ".lock";
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  const std::string pid = std::to_string(::getpid()) + "\n";
  (void)WriteAllTo(fd, pid.data(), pid.size());
  m_lock = fd;
  return true;
}

pid_t RecoveryStore::WriteInChild(int serial, const std::string& header, const std::function<bool(int fd)>& body) {
  if (!EnsureLock()) return -1;
  const std::string target = CopyPath(serial);
  const std::string partial = target + ".part";
  const pid_t child = ::fork();
  if (child != 0) return child;  // the caller, or -1
  // The child: only system calls from here on, then _exit. It lets go of
  // every descriptor it inherited first, so that, say, a running script's
  // input pipe does not stay open in it, but the lock: should the program
  // die meanwhile, its copies are not claimed before this one is in place.
  const auto lock = static_cast<unsigned>(m_lock);
  if (lock > 3) ::close_range(3, lock - 1, 0);
  ::close_range(lock + 1, ~0U, 0);
  const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  bool ok = fd >= 0 && WriteAllTo(fd, header.data(), header.size()) && body(fd) && ::fsync(fd) == 0;
  if (fd >= 0) ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(partial.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(partial.c_str());
  ::_exit(ok ? 0 : 1);
}

bool RecoveryStore::Ended(pid_t child, bool* written) {
  int status = 0;
  pid_t got;
  do {
    got = ::waitpid(child, &status, WNOHANG);
  } while (got < 0 && errno == EINTR);
  if (got == 0) return false;
  if (written) *written = got == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return true;
}

void RecoveryStore::Remove(int serial) {
  std::error_code ec;
  fs::remove(CopyPath(serial), ec);
}

std::vector<RecoveryRecord> RecoveryStore::ClaimAbandoned(std::vector<std::string>* keptAside) {
  std::vector<RecoveryRecord> records;
  std::error_code ec;
  std::vector<std::string> deadIds;
  for (const auto& entry : fs::directory_iterator(m_folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (!name.ends_with(".lock") || name == m_id + ".lock") continue;
    const int fd = ::open(entry.path().c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {  // its program still runs
      ::close(fd);
      continue;
    }
    m_claimedLocks.push_back(fd);
    deadIds.push_back(name.substr(0, name.size() - 5));
  }
  for (const std::string& id : deadIds) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(m_folder, ec)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(id + ".") && name != id + ".lock" && entry.is_regular_file()) files.push_back(entry.path());
    }
    // A ".part" is a copy its writer had not finished: it counts only when
    // complete and no finished copy of the same document is there.
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
      return (a.extension() == ".rec") > (b.extension() == ".rec");
    });
    std::set<std::string> serials;
    for (const fs::path& file : files) {
      const bool finished = file.extension() == ".rec";
      const std::string serial = finished ? file.stem().string() : fs::path(file.stem()).stem().string();
      if (!finished && file.extension() != ".part") {
        m_claimedFiles.push_back(file.string());
        continue;
      }
      const FileReadResult read = ReadWholeFile(file.string());
      std::optional<RecoveryRecord> record;
      if (read.status == FileReadResult::Status::Ok) record = ParseRecoveryRecord(read.bytes);
      if (record && serials.insert(serial).second) {
        records.push_back(std::move(*record));
        m_claimedFiles.push_back(file.string());
        continue;
      }
      // An empty ".part" holds nothing, and a complete one beside a finished
      // copy of the same document is only a second copy.
      const bool holdsNothing = !finished && (record || (read.status == FileReadResult::Status::Ok && read.bytes.empty()));
      if (holdsNothing) {
        m_claimedFiles.push_back(file.string());
        continue;
      }
      fs::create_directories(KeptFolder(), ec);
      const std::string kept = KeptFolder() + file.filename().string();
      std::error_code moved;
      fs::rename(file, kept, moved);
      if (keptAside) keptAside->push_back(moved ? file.string() : kept);
    }
    m_claimedFiles.push_back(m_folder + id + ".lock");
  }
  return records;
}

void RecoveryStore::DropClaimed() {
  std::error_code ec;
  for (const std::string& file : m_claimedFiles) fs::remove(file, ec);
  for (const int fd : m_claimedLocks) ::close(fd);
  m_claimedFiles.clear();
  m_claimedLocks.clear();
}

}  // namespace corvella
