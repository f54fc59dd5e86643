// The run copy: for the length of a run a script's file holds the editor's text.
#include "platform/RunCopy.h"

#include <cerrno>
#include <set>

#include <sys/stat.h>

#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "platform/RunJournal.h"

namespace corvella {
namespace {

// Scripts whose run copy is on the disk now (guarded by RunCopy::Lock()).
std::set<std::string>& UnderRun() {
  static std::set<std::string> scripts;
  return scripts;
}

// A file that cannot be replaced is written into; its old bytes are on the
// disk first, so that a program dying in the middle leaves a way back.
int SaveInPlace(const std::string& path, std::string_view bytes) {
  const FileReadResult old = ReadWholeFile(path);
  struct stat st;
  if (old.status != FileReadResult::Status::Ok || ::stat(path.c_str(), &st) != 0) return old.error ? old.error : EIO;
  const RunJournal saves(RunJournal::SavesFolder(), RunJournal::Kind::Save);
  if (const int error = saves.Begin(path, old.bytes, st.st_mode, bytes)) return error;
  const int error = WriteFileInPlace(path, bytes);
  // A failed write is undone at once; should that fail too, the record
  // stays and the next start tells where the old bytes are.
  if (error == 0 || WriteFileInPlace(path, old.bytes) == 0) saves.End(path);
  return error;
}

}  // namespace

std::mutex& RunCopy::Lock() {
  static std::mutex lock;
  return lock;
}

RunCopy::Failure RunCopy::Start(const std::string& script, std::string_view runCopy, int* error) {
  const std::lock_guard lock(Lock());
  const RunJournal journal;
  int ignored = 0;
  int& err = error ? *error : ignored;
  // The file still holds an earlier run copy: the user's bytes first.
  if (journal.Find(script) && (err = journal.PutBack(script)) != 0) return Failure::PendingPutBack;
  const FileReadResult saved = ReadWholeFile(script);
  struct stat st;
  if (saved.status != FileReadResult::Status::Ok || ::stat(script.c_str(), &st) != 0) {
    err = saved.error ? saved.error : EIO;
    return Failure::Copy;
  }
  const unsigned mode = st.st_mode & 07777;
  const std::string copy = GetTempCopyPath(script);
  if ((err = WriteFileWithMode(copy, saved.bytes, mode)) != 0) return Failure::Copy;
  if ((err = journal.Begin(script, saved.bytes, mode, runCopy)) != 0) {
    RemoveIfExists(copy);
    return Failure::Record;
  }
  if ((err = RunJournal::WriteUserFile(script, runCopy, mode | S_IWUSR)) != 0) {
    journal.End(script);
    RemoveIfExists(copy);
    return Failure::Write;
  }
  UnderRun().insert(script);
  return Failure::None;
}

int RunCopy::PutBack(const std::string& script) {
  const std::lock_guard lock(Lock());
  UnderRun().erase(script);
  const RunJournal journal;
  const std::string copy = GetTempCopyPath(script);
  int error = journal.PutBack(script);
  // Without its record (its folder removed meanwhile) the temporary copy is all there is.
  if (error == ENOENT && FileExists(copy)) error = CopyFileOver(copy, script);
  if (error == 0) RemoveIfExists(copy);
  return error;
}

std::string RunCopy::WaitingBytes(const std::string& script) {
  const RunJournal journal;
  const auto record = journal.Find(script);
  return record ? journal.Folder() + record->bytesFile : GetTempCopyPath(script);
}

int RunCopy::Save(const std::string& path, std::string_view bytes) {
  return Save(path, [bytes](const ByteWriter& write) { return write(bytes); });
}

int RunCopy::Save(const std::string& path, const BytePieces& pieces) {
  const std::lock_guard lock(Lock());
  if (IsReadOnlyFile(path)) return EACCES;
  const bool inPlace = ReplacingChangesFile(path);
  const bool underRun = UnderRun().contains(path);
  // Only these need the bytes more than once, or beside the old ones.
  std::string bytes;
  if (inPlace || underRun) {
    if (const int error = pieces([&bytes](std::string_view piece) {
          bytes.append(piece);
          return 0;
        })) {
      return error;
    }
  }
  if (const int error = inPlace    ? SaveInPlace(path, bytes)
                        : underRun ? WriteFileAtomically(path, bytes)
                                   : WritePiecesAtomically(path, pieces)) {
    return error;
  }
  RemoveStaleSaveFiles(path);
  const RunJournal journal;
  if (!journal.Find(path)) return 0;
  const std::string copy = GetTempCopyPath(path);
  if (underRun) {
    // Should the journal fail here, the next start finds the file changed
    // since the run and leaves the save alone.
    (void)journal.Saved(path, bytes);
    struct stat st;
    if (::stat(copy.c_str(), &st) == 0) (void)WriteFileWithMode(copy, bytes, st.st_mode & 07777);
  } else {
    journal.End(path);
    RemoveIfExists(copy);
  }
  return 0;
}

}  // namespace corvella
