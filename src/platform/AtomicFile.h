// Whole-file reads and writes that never leave a half-written file behind: new bytes go to a file beside the target, which is then renamed over it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvella {

// Text positions in the editor must fit an int, so no larger file is loaded.
inline constexpr std::uint64_t kMaxLoadSize = 0x7FFFFFFF;

struct FileReadResult {
  enum class Status {
    Ok,
    TooLarge,   // the file is longer than the limit; nothing was read
    ShortRead,  // the file ended before the length it reported
    Failed,     // `error` holds the errno
  };
  Status status = Status::Failed;
  std::string bytes;
  int error = 0;
};

// Reads a regular file whole. A directory fails with EISDIR, any other kind
// of file with EINVAL.
FileReadResult ReadWholeFile(const std::string& path, std::uint64_t maxSize = kMaxLoadSize);

// Replaces `path` with `bytes`, or creates it: the bytes are written to a new
// file in the same folder, flushed to the disk and renamed over the target,
// which keeps its permission bits (and, where allowed, its owner). A symbolic
// link is followed: the file it names is replaced, the link stays. A file the
// user may not write (see IsReadOnlyFile) and a directory are refused. On any
// failure the target is as it was and the new file is removed. Answers 0 or
// the errno of the step that failed.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

// Copies the bytes and permission bits of `from` over `to` in the same way,
// except that a read-only `to` is replaced as well. 0 or an errno.
int CopyFileOver(const std::string& from, const std::string& to);

}  // namespace corvella
