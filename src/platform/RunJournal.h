// What survives the editor's death during a run: the user's own bytes of each script under a run, and where they belong.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RunRecord.h"

namespace corvella {

// What the next start did with a run left by a program that died.
struct AbandonedRun {
  enum class Outcome {
    Restored,  // the script was still the run copy and holds the user's bytes again
    Changed,   // the script changed since (or a save was cut short): left alone, the user's bytes kept aside
    Damaged,   // the record or its bytes failed their check: nothing applied, both kept aside
    Failed,    // the bytes could not be written back: the record stays for the next start
  };
  Outcome outcome = Outcome::Damaged;
  std::string script;  // empty when a damaged record does not say
  std::string kept;    // where the user's bytes (or the damaged record) are now
};

// A run writes the editor's text over the script file and puts the user's
// bytes back at its end. Should the editor die in between, the temporary
// copy may be gone by the next start (the temporary folder is often cleared
// at reboot), so the bytes are kept here too, in the user's state folder,
// with a checked record naming the script, the process that runs it and the
// run copy. The record's owner serialises its own calls.
class RunJournal {
 public:
  // A run copy goes back at the end; a save written into the file itself
  // (see ReplacingChangesFile) is kept once complete.
  enum class Kind { Run, Save };

  // $XDG_STATE_HOME/Corvella/runs/, else ~/.local/state/Corvella/runs/.
  static std::string DefaultFolder();
  // $XDG_STATE_HOME/Corvella/saves/: the records of saves written in place.
  static std::string SavesFolder();

  explicit RunJournal(std::string folder = DefaultFolder(), Kind kind = Kind::Run);

  // Writes the bytes of a script or a document's file: renamed over it, or
  // written into it where renaming would change what the file is.
  static int WriteUserFile(const std::string& path, std::string_view bytes, unsigned mode);

  const std::string& Folder() const { return m_folder; }
  std::string KeptFolder() const { return m_folder + "kept/"; }

  // Keeps `saved` (the script's bytes now, `mode` its permission bits) and
  // names `runCopy`, all on the disk before it answers. 0, or the errno that
  // kept it from doing so: the run copy must then not go over the script.
  int Begin(const std::string& script, std::string_view saved, unsigned mode, std::string_view runCopy) const;
  // A save during the run: `bytes` are on the disk and are the user's now,
  // so they are what the run's end (or the next start) puts back.
  int Saved(const std::string& script, std::string_view bytes) const;
  // This program's record of `script`.
  std::optional<RunRecord> Find(const std::string& script) const;
  // Writes the user's bytes back over the script once they pass their check,
  // and forgets the run. 0 or an errno; on failure the record stays.
  int PutBack(const std::string& script) const;
  // Forgets the run without touching the script.
  void End(const std::string& script) const;

  // Deals with the run of every program that no longer exists; runs of a
  // program still running are left to it.
  std::vector<AbandonedRun> RecoverAbandoned() const;

 private:
  std::string Base(const std::string& script, long pid) const;
  int WriteRecord(const std::string& base, RunRecord record, std::string_view saved) const;
  AbandonedRun Recover(const std::string& base, const std::string& recordPath) const;
  std::string KeepAside(const std::string& bytesFile, const std::string& script) const;

  std::string m_folder;
  Kind m_kind;
};

}  // namespace corvella
