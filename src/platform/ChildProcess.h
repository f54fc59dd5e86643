// A child process started from an argument vector (never through a shell), with its output read from pipes as it comes, stopped on request.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace corvella {

class ChildProcess {
 public:
  struct Options {
    std::vector<std::string> argv;       // argv[0] is looked up in PATH
    std::string workingDir;              // empty: the editor's own
    std::optional<std::vector<std::string>> environment;  // "NAME=value"; none: the editor's own
    std::string stdinPath;               // empty: no standard input
    bool captureOutput = true;           // standard output and error into pipes
  };

  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // A child still running is killed and waited for.
  ~ChildProcess();

  // False with the errno in `error` when the child could not be started.
  bool Start(const Options& options, int* error = nullptr);

  // Waits up to `timeoutMs` for output and appends what has arrived on either
  // pipe. False once both pipes are at their end (the child closed them).
  bool ReadSome(std::string& out, int timeoutMs);

  // Kills the child (and what it started in its process group).
  void Terminate();
  // Waits for the end; the exit status, or 128 + the signal that ended it.
  int Wait();
  bool Running() const { return m_pid > 0 && !m_exit; }

 private:
  void ClosePipes();

  pid_t m_pid = -1;
  int m_out = -1;
  int m_err = -1;
  std::optional<int> m_exit;
};

}  // namespace corvella
