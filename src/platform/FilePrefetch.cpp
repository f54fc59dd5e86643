// Reading the files named at start-up on a thread of their own while the window is being made.
#include "platform/FilePrefetch.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvella {
namespace {

// Pieces small enough that the opening thread, once it asks, finds enough
// of them left to share the read.
constexpr std::size_t kChunk = std::size_t{2} << 20;

bool SameContent(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// One file's read, in pieces that whichever thread comes first claims.
class PrefetchedFile {
 public:
  enum class State { Waiting, Reading, Unusable, Taken };

  explicit PrefetchedFile(std::string path) : m_path(std::move(path)) {}
  PrefetchedFile(const PrefetchedFile&) = delete;
  PrefetchedFile& operator=(const PrefetchedFile&) = delete;
  ~PrefetchedFile() {
    if (m_fd >= 0) ::close(m_fd);
  }

  const std::string& Path() const { return m_path; }
  State GetState() const { return m_state; }
  void SetState(State state) { m_state = state; }

  // Opens and sizes the file and allocates for it; Reading, or Unusable for
  // anything a plain read should handle (and report) itself.
  void Open() {
    m_state = State::Unusable;
    // Non-blocking so that a FIFO cannot hang the open.
    m_fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0 || ::fstat(m_fd, &m_identity) != 0 || !S_ISREG(m_identity.st_mode)) return;
    const auto size = static_cast<std::uint64_t>(m_identity.st_size);
    if (size == 0 || size > kMaxLoadSize) return;
    m_bytes.reset(static_cast<char*>(std::malloc(static_cast<std::size_t>(size))));
    if (!m_bytes) return;
    m_size = static_cast<std::size_t>(size);
    m_chunkCount = (m_size + kChunk - 1) / kChunk;
    m_state = State::Reading;
  }

  // Reads pieces until none is left to claim or the read is cancelled.
  void ReadChunks() {
    for (;;) {
      const std::size_t chunk = m_nextChunk.fetch_add(1);
      if (chunk >= m_chunkCount || m_cancelled.load()) return;
      const std::size_t from = chunk * kChunk;
      const std::size_t to = std::min(m_size, from + kChunk);
      Populate(from, to);
      if (!ReadRange(from, to)) m_failed.store(true);
      if (m_doneChunks.fetch_add(1) + 1 == m_chunkCount) m_doneChunks.notify_all();
    }
  }

  void Cancel() { m_cancelled.store(true); }

  // After every piece is read: the bytes, when the path still names the file
  // they were read from and it has not changed since.
  std::optional<FileBytesResult> Finish() {
    for (std::size_t done = m_doneChunks.load(); done < m_chunkCount; done = m_doneChunks.load()) {
      m_doneChunks.wait(done);
    }
    struct stat now, named;
    const bool same = !m_failed.load() && ::fstat(m_fd, &now) == 0 && ::stat(m_path.c_str(), &named) == 0 &&
                      SameContent(now, m_identity) && SameContent(named, m_identity);
    ::close(m_fd);
    m_fd = -1;
    if (!same) {
      m_bytes.reset();
      return std::nullopt;
    }
    FileBytesResult result;
    result.status = FileReadResult::Status::Ok;
    result.bytes = std::move(m_bytes);
    result.size = m_size;
    return result;
  }

 private:
  // Maps the whole pages of a piece's fresh memory in one call: far cheaper
  // than the read faulting them in one by one. Only a hint; without it the
  // read maps them itself.
  void Populate(std::size_t from, std::size_t to) {
#ifdef MADV_POPULATE_WRITE
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = (reinterpret_cast<std::uintptr_t>(m_bytes.get() + from) + page - 1) & ~(page - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(m_bytes.get() + to) & ~(page - 1);
    if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#else
    (void)from;
    (void)to;
#endif
  }

  bool ReadRange(std::size_t from, std::size_t to) {
    while (from < to) {
      const ssize_t n = ::pread(m_fd, m_bytes.get() + from, to - from, static_cast<off_t>(from));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      from += static_cast<std::size_t>(n);
    }
    return true;
  }

  const std::string m_path;
  State m_state = State::Waiting;  // under the reader's lock
  int m_fd = -1;
  struct stat m_identity {};
  std::unique_ptr<char, MallocFree> m_bytes;
  std::size_t m_size = 0;
  std::size_t m_chunkCount = 0;
  std::atomic<std::size_t> m_nextChunk{0};
  std::atomic<std::size_t> m_doneChunks{0};
  std::atomic<bool> m_failed{false};
  std::atomic<bool> m_cancelled{false};
};

}  // namespace

class FilePrefetch::Reader {
 public:
  explicit Reader(const std::vector<std::string>& paths) {
    m_files.reserve(paths.size());
    for (const std::string& path : paths) m_files.push_back(std::make_unique<PrefetchedFile>(path));
    m_thread = std::thread([this] { Run(); });
  }
  ~Reader() { Stop(); }

  void Stop() {
    {
      const std::lock_guard lock(m_mutex);
      m_stopped = true;
      for (auto& file : m_files) file->Cancel();
    }
    if (m_thread.joinable()) m_thread.join();
    m_files.clear();
  }

  // The file's bytes when this prefetch holds them for `path`; nullopt when a
  // plain read is to be made.
  std::optional<FileBytesResult> Take(const std::string& path) {
    PrefetchedFile* file = nullptr;
    {
      const std::lock_guard lock(m_mutex);
      for (auto& candidate : m_files) {
        const auto state = candidate->GetState();
        if (candidate->Path() != path || state == PrefetchedFile::State::Unusable ||
            state == PrefetchedFile::State::Taken) {
          continue;
        }
        candidate->SetState(PrefetchedFile::State::Taken);
        if (state == PrefetchedFile::State::Reading) file = candidate.get();
        break;
      }
    }
    if (!file) return std::nullopt;
    file->ReadChunks();  // the opening thread shares what is left of the read
    return file->Finish();
  }

 private:
  void Run() {
    for (auto& file : m_files) {
      {
        const std::lock_guard lock(m_mutex);
        if (m_stopped) return;
        if (file->GetState() != PrefetchedFile::State::Waiting) continue;
        file->Open();
      }
      file->ReadChunks();
    }
  }

  std::mutex m_mutex;
  bool m_stopped = false;
  std::vector<std::unique_ptr<PrefetchedFile>> m_files;
  std::thread m_thread;
};

namespace {

// The active prefetch; set and read on the thread that opens documents.
FilePrefetch::Reader* g_active = nullptr;

}  // namespace

FilePrefetch::FilePrefetch(std::vector<std::string> paths) {
  if (paths.empty() || g_active) return;
  m_reader = std::make_unique<Reader>(paths);
  g_active = m_reader.get();
}

FilePrefetch::~FilePrefetch() { Finish(); }

void FilePrefetch::Finish() {
  if (!m_reader) return;
  g_active = nullptr;
  m_reader->Stop();
  m_reader.reset();
}

FileBytesResult ReadPrefetchedOrWhole(const std::string& path) {
  if (g_active) {
    if (auto taken = g_active->Take(path)) return std::move(*taken);
  }
  return ReadWholeFileBytes(path);
}

}  // namespace corvella
