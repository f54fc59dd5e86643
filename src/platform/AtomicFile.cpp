// Whole-file reads and writes that never leave a half-written file behind: new bytes go to a file beside the target, which is then renamed over it.
#include "platform/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <new>
#include <optional>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileNames.h"

namespace corvella {
namespace {

class FdGuard {
 public:
  explicit FdGuard(int fd) : fd_(fd) {}
  ~FdGuard() {
    if (fd_ >= 0) ::close(fd_);
  }
  FdGuard(const FdGuard&) = delete;
  FdGuard& operator=(const FdGuard&) = delete;
  int get() const { return fd_; }
  // Closes now; a close error is a write error on some file systems.
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

int WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

// A link is replaced through the file it names, so that the link survives.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  }
  return path;
}

// ".<name>." then the suffix CreateSibling writes.
std::string SiblingPrefix(const std::string& target) {
  return "." + GetFileTitlePart(target).substr(0, 200) + ".";
}

// A new, empty file in the target's folder, so that the final rename stays
// within one file system. Created with 0666 so that the umask applies to a
// file that did not exist before.
int CreateSibling(const std::string& target, std::string& siblingPath, int& fd) {
  static std::atomic<unsigned> counter{0};
  const std::string folder = GetFolderPart(target);
  const auto clock = static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%ld-%u-%lx.tmp", static_cast<long>(::getpid()), counter++,
                  clock & 0xFFFFFF);
    siblingPath = folder + SiblingPrefix(target) + (suffix + 1);
    fd = ::open(siblingPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return 0;
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

void SyncFolderOf(const std::string& target) {
  const std::string folder = GetFolderPart(target);
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // the rename itself is done; this only hurries it to the disk
  ::close(fd);
}

// Fills a sibling through `fill`, then renames it over `path`. `mode` is the
// sibling's permission bits; without it the old file's are kept.
int ReplaceFile(const std::string& path, const std::function<int(int)>& fill, std::optional<mode_t> mode,
                bool refuseReadOnly) {
  const std::string target = ResolveTarget(path);
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return errno;
  if (exists && S_ISDIR(old.st_mode)) return EISDIR;
  if (exists && refuseReadOnly && IsReadOnlyFile(target)) return EACCES;

  std::string sibling;
  int rawFd = -1;
  if (const int e = CreateSibling(target, sibling, rawFd)) return e;
  FdGuard fd(rawFd);

  int err = 0;
  // The owner before the mode, as changing the owner may clear set-id bits.
  // Keeping the owner is a courtesy, not a condition: only root may give a
  // file away, so for anybody else the group is the most that can be kept.
  if (exists && ::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
    [[maybe_unused]] const int groupKept = ::fchown(fd.get(), static_cast<uid_t>(-1), old.st_gid);
  }
  if (mode || exists) {
    if (::fchmod(fd.get(), mode ? *mode : (old.st_mode & 07777)) != 0) err = errno;
  }
  if (!err) err = fill(fd.get());
  if (!err && ::fsync(fd.get()) != 0) err = errno;
  if (const int closeErr = fd.Close(); !err) err = closeErr;
  if (!err && ::rename(sibling.c_str(), target.c_str()) != 0) err = errno;
  if (err) {
    ::unlink(sibling.c_str());
    return err;
  }
  SyncFolderOf(target);
  return 0;
}

}  // namespace

namespace {

// Opens and checks a regular file and reads it whole into `allocate(size)`
// (null: no memory). Answers the status, `error` for a failure.
template <class Allocate>
FileReadResult::Status ReadFileInto(const std::string& path, std::uint64_t maxSize, int& error, Allocate allocate) {
  using Status = FileReadResult::Status;
  // Non-blocking so that a FIFO cannot hang the open; it is refused below.
  FdGuard fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    error = errno;
    return Status::Failed;
  }
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) {
    error = errno;
    return Status::Failed;
  }
  if (!S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return Status::Failed;
  }
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (size > maxSize) return Status::TooLarge;
  char* const bytes = allocate(static_cast<std::size_t>(size));
  if (!bytes && size > 0) {
    error = ENOMEM;
    return Status::Failed;
  }
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = ::read(fd.get(), bytes + got, static_cast<std::size_t>(size) - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return Status::Failed;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got < size ? Status::ShortRead : Status::Ok;
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, std::uint64_t maxSize) {
  FileReadResult result;
  result.status = ReadFileInto(path, maxSize, result.error, [&result](std::size_t size) -> char* {
    try {
      result.bytes.resize(size);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
    return result.bytes.data();
  });
  if (result.status != FileReadResult::Status::Ok) result.bytes.clear();
  return result;
}

FileBytesResult ReadWholeFileBytes(const std::string& path, std::uint64_t maxSize) {
  FileBytesResult result;
  result.status = ReadFileInto(path, maxSize, result.error, [&result](std::size_t size) -> char* {
    if (size == 0) return nullptr;
    result.bytes.reset(static_cast<char*>(std::malloc(size)));
    if (!result.bytes) return nullptr;
    result.size = size;
    return result.bytes.get();
  });
  if (result.status != FileReadResult::Status::Ok) {
    result.bytes.reset();
    result.size = 0;
  }
  return result;
}

int WriteFileAtomically(const std::string& path, std::string_view bytes) {
  return ReplaceFile(path, [bytes](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); }, std::nullopt,
                     true);
}

int WritePiecesAtomically(const std::string& path, const BytePieces& pieces) {
  return ReplaceFile(
      path, [&pieces](int fd) { return pieces([fd](std::string_view b) { return WriteAll(fd, b.data(), b.size()); }); },
      std::nullopt, true);
}

bool ReplacingChangesFile(const std::string& path) {
  const std::string target = ResolveTarget(path);
  struct stat st;
  if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (st.st_nlink > 1 || (st.st_uid != ::geteuid() && ::geteuid() != 0)) return true;
  const std::string folder = GetFolderPart(target);
  return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0;
}

int WriteFileInPlace(const std::string& path, std::string_view bytes) {
  FdGuard fd(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return errno;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) return errno;
  if (!S_ISREG(st.st_mode)) return EINVAL;
  if (const int e = WriteAll(fd.get(), bytes.data(), bytes.size())) return e;
  if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd.get()) != 0) return errno;
  // Read back: nothing is called saved that is not on the disk as written.
  char buffer[65536];
  std::size_t at = 0;
  for (;;) {
    const ssize_t n = ::pread(fd.get(), buffer, sizeof buffer, static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) break;
    if (at + static_cast<std::size_t>(n) > bytes.size() ||
        bytes.compare(at, static_cast<std::size_t>(n), std::string_view(buffer, static_cast<std::size_t>(n))) != 0) {
      return EIO;
    }
    at += static_cast<std::size_t>(n);
  }
  if (at != bytes.size()) return EIO;
  return fd.Close();
}

int CheckWritableFolder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return ec.value();
  const std::string probe = (folder.ends_with('/') ? folder : folder + "/") + ".probe-" + std::to_string(::getpid());
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  ::close(fd);
  ::unlink(probe.c_str());
  return 0;
}

void RemoveStaleSaveFiles(const std::string& path) {
  const std::string target = ResolveTarget(path);
  const std::string folder = GetFolderPart(target);
  const std::string prefix = SiblingPrefix(target);
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix) || !name.ends_with(".tmp")) continue;
    char* end = nullptr;
    const std::string rest(name.substr(prefix.size()));
    const long pid = std::strtol(rest.c_str(), &end, 10);
    if (pid <= 0 || *end != '-' || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    struct stat st;
    const std::string sibling = folder + std::string(name);
    if (::lstat(sibling.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid()) ::unlink(sibling.c_str());
  }
  ::closedir(dir);
}

int WriteFileWithMode(const std::string& path, std::string_view bytes, unsigned mode) {
  return ReplaceFile(path, [bytes](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); },
                     static_cast<mode_t>(mode & 07777), false);
}

int CopyFileOver(const std::string& from, const std::string& to) {
  FdGuard in(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (in.get() < 0) return errno;
  struct stat st;
  if (::fstat(in.get(), &st) != 0) return errno;
  if (!S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  auto copy = [&in](int out) {
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
      if (n < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      if (n == 0) return 0;
      if (const int e = WriteAll(out, buffer, static_cast<std::size_t>(n))) return e;
    }
  };
  return ReplaceFile(to, copy, static_cast<mode_t>(st.st_mode & 07777), false);
}

}  // namespace corvella
