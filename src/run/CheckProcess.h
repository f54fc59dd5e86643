// One "perl -c" of a background check on a thread of its own, so that the editor never waits for it, and stoppable at any time.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/ChildProcess.h"

namespace corvella {

class CheckProcess {
 public:
  // From the worker thread, once: what the child printed on both streams
  // (raw bytes), or `stopped` when Stop ended it first.
  using Done = std::function<void(std::string output, bool stopped)>;

  CheckProcess() = default;
  CheckProcess(const CheckProcess&) = delete;
  CheckProcess& operator=(const CheckProcess&) = delete;
  // Stops a check still running and waits for its thread.
  ~CheckProcess();

  // Starts `argv` (no shell) in `workingDir` with `environment`; false when
  // one is still running or no wake-up pipe could be made.
  bool Start(std::vector<std::string> argv, std::string workingDir, std::vector<std::string> environment, Done done);
  // Ends the child (with its group); its Done still comes, stopped.
  void Stop();
  // Collects the thread once its Done has come.
  void Join();
  bool Running() const { return m_thread.joinable(); }

 private:
  std::thread m_thread;
  std::shared_ptr<Wakeup> m_stop;
};

}  // namespace corvella
