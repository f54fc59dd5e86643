// What survives the editor's death during a run: the user's own bytes of each script under a run, and where they belong.
#include "platform/RunJournal.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/ContentHash.h"
#include "platform/FileNames.h"
#include "platform/RecordFields.h"

namespace corvella {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMaxRecordSize = 1 << 20;

bool ProcessExists(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

bool Matches(std::string_view bytes, std::uint64_t size, std::uint64_t hash) {
  return bytes.size() == size && HashOf(bytes) == hash;
}

// The script a damaged record names, when that much of it can still be read.
std::string ScriptNamedBy(std::string_view record) {
  const std::size_t lf = record.find('\n');
  if (lf == std::string_view::npos) return {};
  RecordFieldReader fields(record.substr(lf + 1));
  const auto script = fields.Field("script");
  const auto path = script ? Unhex(*script) : std::nullopt;
  return path && path->find('\0') == std::string::npos ? *path : std::string();
}

}  // namespace

std::string RunJournal::DefaultFolder() { return StateFolder() + "runs/"; }

std::string RunJournal::SavesFolder() { return StateFolder() + "saves/"; }

int RunJournal::WriteUserFile(const std::string& path, std::string_view bytes, unsigned mode) {
  return ReplacingChangesFile(path) ? WriteFileInPlace(path, bytes) : WriteFileWithMode(path, bytes, mode);
}

RunJournal::RunJournal(std::string folder, Kind kind) : m_folder(std::move(folder)), m_kind(kind) {
  if (!m_folder.empty() && m_folder.back() != '/') m_folder += '/';
}

// One record per process and script: "<pid>-<hash>.run" names the script,
// "<pid>-<hash>.<n>.bytes" holds the user's bytes.
std::string RunJournal::Base(const std::string& script, long pid) const {
  return m_folder + std::to_string(pid) + "-" + HashToHex(HashOf(script));
}

int RunJournal::WriteRecord(const std::string& base, RunRecord record, std::string_view saved) const {
  static std::atomic<unsigned> generation{0};
  const std::optional<RunRecord> old = Find(record.script);
  record.bytesFile = fs::path(base).filename().string() + "." + std::to_string(++generation) + ".bytes";
  record.savedSize = saved.size();
  record.savedHash = HashOf(saved);
  // The bytes first, then the record that names them: a record on the disk
  // always has its bytes.
  if (const int error = WriteFileAtomically(m_folder + record.bytesFile, saved)) return error;
  if (const int error = WriteFileAtomically(base + ".run", FormatRunRecord(record))) {
    RemoveIfExists(m_folder + record.bytesFile);
    return error;
  }
  if (old && old->bytesFile != record.bytesFile) RemoveIfExists(m_folder + old->bytesFile);
  return 0;
}

int RunJournal::Begin(const std::string& script, std::string_view saved, unsigned mode, std::string_view runCopy) const {
  std::error_code ec;
  fs::create_directories(m_folder, ec);
  if (ec) return ec.value();
  ::chmod(m_folder.c_str(), 0700);
  RunRecord record;
  record.script = script;
  record.mode = mode & 07777;
  record.copySize = runCopy.size();
  record.copyHash = HashOf(runCopy);
  return WriteRecord(Base(script, ::getpid()), std::move(record), saved);
}

int RunJournal::Saved(const std::string& script, std::string_view bytes) const {
  std::optional<RunRecord> record = Find(script);
  if (!record) return ENOENT;
  record->copySize = bytes.size();
  record->copyHash = HashOf(bytes);
  return WriteRecord(Base(script, ::getpid()), std::move(*record), bytes);
}

std::optional<RunRecord> RunJournal::Find(const std::string& script) const {
  const FileReadResult read = ReadWholeFile(Base(script, ::getpid()) + ".run", kMaxRecordSize);
  if (read.status != FileReadResult::Status::Ok) return std::nullopt;
  std::optional<RunRecord> record = ParseRunRecord(read.bytes);
  if (record && record->script != script) return std::nullopt;
  return record;
}

int RunJournal::PutBack(const std::string& script) const {
  const std::optional<RunRecord> record = Find(script);
  if (!record) return ENOENT;
  const FileReadResult saved = ReadWholeFile(m_folder + record->bytesFile);
  if (saved.status != FileReadResult::Status::Ok) return saved.error ? saved.error : EIO;
  if (!Matches(saved.bytes, record->savedSize, record->savedHash)) return EIO;
  if (const int error = WriteUserFile(script, saved.bytes, record->mode)) return error;
  End(script);
  return 0;
}

void RunJournal::End(const std::string& script) const {
  const std::optional<RunRecord> record = Find(script);
  const std::string base = Base(script, ::getpid());
  // The record before its bytes: bytes without a record are only a leftover.
  RemoveIfExists(base + ".run");
  if (record) RemoveIfExists(m_folder + record->bytesFile);
}

std::string RunJournal::KeepAside(const std::string& bytesFile, const std::string& script) const {
  std::error_code ec;
  fs::create_directories(KeptFolder(), ec);
  const std::string title = script.empty() ? std::string("run") : GetFileTitlePart(script);
  const std::string kept = KeptFolder() + fs::path(bytesFile).stem().string() + "-" + title;
  // A second name first: the bytes are never without one, whenever the
  // program dies; the caller removes the old name once the record is gone.
  fs::create_hard_link(m_folder + bytesFile, kept, ec);
  return ec && !fs::exists(kept) ? m_folder + bytesFile : kept;
}

AbandonedRun RunJournal::Recover(const std::string& base, const std::string& recordPath) const {
  AbandonedRun run;
  const FileReadResult text = ReadWholeFile(recordPath, kMaxRecordSize);
  const std::optional<RunRecord> record =
      text.status == FileReadResult::Status::Ok ? ParseRunRecord(text.bytes) : std::nullopt;
  FileReadResult saved;
  if (record) saved = ReadWholeFile(m_folder + record->bytesFile);
  if (!record || saved.status != FileReadResult::Status::Ok ||
      !Matches(saved.bytes, record->savedSize, record->savedHash)) {
    // Never applied: the record and every bytes file of its run go aside.
    run.script = record ? record->script : ScriptNamedBy(text.bytes);
    std::error_code ec;
    fs::create_directories(KeptFolder(), ec);
    const std::string name = fs::path(base).filename().string();
    for (const auto& entry : fs::directory_iterator(m_folder, ec)) {
      const std::string file = entry.path().filename().string();
      if (file.starts_with(name + ".") && file.ends_with(".bytes")) {
        run.kept = KeepAside(file, run.script);
        if (run.kept != m_folder + file) RemoveIfExists(m_folder + file);
      }
    }
    std::error_code renamed;
    fs::rename(recordPath, KeptFolder() + name + ".run", renamed);
    if (run.kept.empty()) run.kept = renamed ? recordPath : KeptFolder() + name + ".run";
    return run;
  }
  run.script = record->script;
  const FileReadResult now = ReadWholeFile(record->script);
  const bool isRunCopy = now.status == FileReadResult::Status::Ok && Matches(now.bytes, record->copySize, record->copyHash);
  if (isRunCopy && m_kind == Kind::Run) {
    if (WriteUserFile(record->script, saved.bytes, record->mode) != 0) {
      run.outcome = AbandonedRun::Outcome::Failed;
      run.kept = m_folder + record->bytesFile;
      return run;
    }
    run.outcome = AbandonedRun::Outcome::Restored;
    RemoveIfExists(recordPath);
    RemoveIfExists(m_folder + record->bytesFile);
    return run;
  }
  // Ended before the run copy went over it, or after it came back (or a save
  // was complete): nothing to do.
  const bool isSaved = isRunCopy || (now.status == FileReadResult::Status::Ok &&
                                     Matches(now.bytes, record->savedSize, record->savedHash));
  run.outcome = isSaved ? AbandonedRun::Outcome::Restored : AbandonedRun::Outcome::Changed;
  if (isSaved) run.script.clear();  // nothing to tell
  else run.kept = KeepAside(record->bytesFile, record->script);
  RemoveIfExists(recordPath);
  if (run.kept != m_folder + record->bytesFile) RemoveIfExists(m_folder + record->bytesFile);
  return run;
}

std::vector<AbandonedRun> RunJournal::RecoverAbandoned() const {
  std::vector<AbandonedRun> runs;
  std::error_code ec;
  std::vector<fs::path> records, bytes;
  for (const fs::directory_entry& entry : fs::directory_iterator(m_folder, ec)) {
    if (!entry.is_regular_file()) continue;
    const fs::path file = entry.path();
    const long pid = std::strtol(file.filename().c_str(), nullptr, 10);
    if (ProcessExists(pid)) continue;
    if (file.extension() == ".run") records.push_back(file);
    else if (file.extension() == ".bytes") bytes.push_back(file);
  }
  for (const fs::path& record : records) {
    const std::string base = (record.parent_path() / record.stem()).string();
    AbandonedRun run = Recover(base, record.string());
    if (!run.script.empty() || !run.kept.empty()) runs.push_back(std::move(run));
  }
  // Bytes that no record names are a copy of what the script already holds
  // (the program died before its record was written or after it was removed).
  for (const fs::path& file : bytes) {
    const std::string name = file.filename().string();
    const std::string base = name.substr(0, name.find('.'));
    if (!fs::exists(m_folder + base + ".run", ec)) RemoveIfExists(file.string());
  }
  return runs;
}

}  // namespace corvella
