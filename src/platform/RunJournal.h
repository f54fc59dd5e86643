// What survives the editor's death during a run: the user's own bytes of each script under a run, and where they belong.
#pragma once

#include <string>
#include <vector>

namespace corvella {

// A run writes the editor's text over the script file and puts the user's
// bytes back at its end. Should the editor die in between, the temporary
// copy may be gone by the next start (the temporary folder is often cleared
// at reboot), so the bytes are kept here too, in the user's state folder,
// with a record naming the script and the process that runs it.
class RunJournal {
 public:
  // $XDG_STATE_HOME/Corvella/runs/, else ~/.local/state/Corvella/runs/.
  static std::string DefaultFolder();

  explicit RunJournal(std::string folder = DefaultFolder());

  // Keeps the current bytes of `scriptPath` before the run copy goes over
  // it. False when they could not be kept (the run may still go ahead).
  bool Begin(const std::string& scriptPath) const;
  // The run is over and the script is the user's again.
  void End(const std::string& scriptPath) const;
  // Puts back the bytes of every run whose process no longer exists and
  // forgets those runs; answers the scripts put back. Runs of a program
  // still running are left to it.
  std::vector<std::string> RecoverAbandoned() const;

 private:
  std::string RecordBase(const std::string& scriptPath, long pid) const;

  std::string m_folder;
};

}  // namespace corvella
