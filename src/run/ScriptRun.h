// A run of the script that goes on after the command that started it (in the output pane, in a terminal): what the runner keeps of it until it ends.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvella {

// What a run starts with: the run copy written and the script's folder made
// current by the runner.
struct RunTarget {
  std::string script, folder;
  std::string line;               // the command line as shown, UTF-8
  std::vector<std::string> argv;  // the same words, as the child gets them
};

class ScriptRun {
 public:
  // Puts the user's bytes back over the script, from any thread; a failure
  // is told at once, as the file then still holds the run copy.
  using PutBack = std::function<bool(const std::string& script)>;
  // From any thread, once, after the script is put back: the runner then
  // closes the run on the user-interface thread.
  using Ended = std::function<void()>;

  ScriptRun() = default;
  ScriptRun(const ScriptRun&) = delete;
  ScriptRun& operator=(const ScriptRun&) = delete;
  // A run still going is stopped, or let go of where it is not the editor's
  // to stop, and its worker waited for.
  virtual ~ScriptRun() = default;

  // False when it could not start: nothing runs, the script is put back, and
  // the user has been told why.
  virtual bool Start() = 0;
  // Whether Stop ends it (a terminal's run is the terminal's to end).
  virtual bool CanStop() const = 0;
  virtual void Stop() = 0;
  // On the user-interface thread after Ended, before the run is let go of.
  virtual void Close() = 0;
};

}  // namespace corvella
