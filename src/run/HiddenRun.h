// A hidden run: the interpreter started without a window, what it prints handed on as pane text while it runs, stoppable, the script put back at the end.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace corvella {

class RunInput;
class Wakeup;

class HiddenRun {
 public:
  struct Launch {
    std::vector<std::string> argv;
    std::string workingDir;
    std::vector<std::string> environment;  // "NAME=value"
    std::string commandLine;               // as the start line shows it (Shift_JIS)
    std::string scriptPath;                // put back when the run ends
    // Typed standard input, its echo shown as the child's output; none:
    // /dev/null, so a script that reads gets end of file at once.
    std::shared_ptr<RunInput> input;
  };
  struct Texts {  // Shift_JIS, "%1" / "%2" where a value goes
    std::string start, end, stopped, cannotStart, pipeFailed;
  };
  // Called on the worker thread with `write`, which appends pane text to the
  // string it is handed (the first call starts the pane afresh): the output
  // is decoded straight into where it waits for the pane, without a copy.
  using Write = std::function<void(std::string& pane)>;
  using Output = std::function<void(const Write& write, bool replace)>;
  // Called once at the very end, after the script is put back.
  using Finished = std::function<void(int exitCode)>;
  using Restore = std::function<bool(const std::string& scriptPath)>;

  // Starts the worker at once. `runLock` is held for the whole run, so that
  // hidden runs never overlap.
  HiddenRun(Launch launch, Texts texts, std::mutex& runLock, Output output, Restore restore, Finished finished);
  // Stops the child if it still runs and waits for the worker.
  ~HiddenRun();
  HiddenRun(const HiddenRun&) = delete;
  HiddenRun& operator=(const HiddenRun&) = delete;

  // From any thread: the worker kills the child at once and reports it.
  void Stop();

 private:
  void Work();
  void Say(std::string_view text, bool replace);

  Launch m_launch;
  Texts m_texts;
  std::mutex& m_runLock;
  Output m_output;
  Restore m_restore;
  Finished m_finished;
  std::unique_ptr<Wakeup> m_wakeup;
  std::thread m_worker;
};

}  // namespace corvella
