// Whole-file reads and writes that never leave a half-written file behind: new bytes go to a file beside the target, which is then renamed over it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
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

struct MallocFree {
  void operator()(char* bytes) const { std::free(bytes); }
};
struct FileBytesResult {
  FileReadResult::Status status = FileReadResult::Status::Failed;
  std::unique_ptr<char, MallocFree> bytes;  // std::malloc'd, null when empty
  std::size_t size = 0;
  int error = 0;
};

// As ReadWholeFile, in one read into one std::malloc'd allocation that the
// caller may keep (and grow with std::realloc). No huge pages are asked for
// here: growing a block of them would copy it.
FileBytesResult ReadWholeFileBytes(const std::string& path, std::uint64_t maxSize = kMaxLoadSize);

// Replaces `path` with `bytes`, or creates it: the bytes are written to a new
// file in the same folder, flushed to the disk and renamed over the target,
// which keeps its permission bits (and, where allowed, its owner). A symbolic
// link is followed: the file it names is replaced, the link stays. A file the
// user may not write (see IsReadOnlyFile) and a directory are refused. On any
// failure the target is as it was and the new file is removed. Answers 0 or
// the errno of the step that failed.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

// Takes the next bytes to write; answers 0 or an errno that stops the writing.
using ByteWriter = std::function<int(std::string_view bytes)>;
// Hands the bytes to write over piece by piece, the same bytes each time it
// is called; answers the writer's first nonzero answer or an errno of its own.
using BytePieces = std::function<int(const ByteWriter& write)>;

// As above, the bytes written as they are made: they are never all in memory.
int WritePiecesAtomically(const std::string& path, const BytePieces& pieces);

// Replaces `path` with `bytes` as WriteFileAtomically does, a read-only
// target included, and gives it the permission bits `mode`. 0 or an errno.
int WriteFileWithMode(const std::string& path, std::string_view bytes, unsigned mode);

// True when renaming a new file over `path` would be refused or would change
// what the file is: another name links to it, another user owns it (only
// root could keep the owner), or its folder may not be written.
bool ReplacingChangesFile(const std::string& path);

// Writes `bytes` into the file itself, which keeps its links, owner and mode,
// and reads them back. Not atomic: the caller keeps the old bytes first.
// 0 or an errno (EIO when what was read back differs).
int WriteFileInPlace(const std::string& path, std::string_view bytes);

// Creates `folder` when missing and checks that a file can be written in
// it. 0 or an errno.
int CheckWritableFolder(const std::string& folder);

// Removes the new files that saves of `path` by programs now gone left
// beside it (a program killed in the middle of a save).
void RemoveStaleSaveFiles(const std::string& path);

// Copies the bytes and permission bits of `from` over `to` in the same way,
// except that a read-only `to` is replaced as well. 0 or an errno.
int CopyFileOver(const std::string& from, const std::string& to);

}  // namespace corvella
