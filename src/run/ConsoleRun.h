// A console run: the run's shell script in a terminal window of its own, its end learnt from the script itself, the script put back afterwards.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace corvella {

class Wakeup;

class ConsoleRun {
 public:
  struct Launch {
    std::vector<std::string> terminal;  // the terminal program and what it needs before "-e"
    std::string shellScript;            // the script the terminal runs with sh
    std::string workingDir;
    std::vector<std::string> environment;
    // Files the script deletes when it begins and when it ends (after its
    // pause); the run waits for them only when `doneMarker` is given.
    std::string startedMarker, doneMarker;
  };
  // On the worker thread, once: whether the terminal could be started (with
  // the errno when not). `restore` runs first, when given.
  using Finished = std::function<void(bool started, int error)>;

  ConsoleRun(Launch launch, std::function<void()> restore, Finished finished);
  // Stops waiting (the terminal stays open) and joins the worker.
  ~ConsoleRun();
  ConsoleRun(const ConsoleRun&) = delete;
  ConsoleRun& operator=(const ConsoleRun&) = delete;

  bool Done() const { return m_done; }

  // The terminal to use: $CORVELLA_TERMINAL, else x-terminal-emulator, else
  // xterm (the first found in PATH of `environment`).
  static std::vector<std::string> FindTerminal(const std::vector<std::string>& environment);

 private:
  void Work();

  Launch m_launch;
  std::function<void()> m_restore;
  Finished m_finished;
  std::unique_ptr<Wakeup> m_wakeup;
  std::atomic<bool> m_done{false};
  std::thread m_worker;
};

}  // namespace corvella
