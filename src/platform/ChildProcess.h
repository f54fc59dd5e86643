// A child process started from an argument vector (never through a shell), its standard streams redirected, its output read from pipes as it comes, stopped on request.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

namespace corvella {

class RunInput;

// Wakes a thread blocked in ChildProcess::ReadSome at once: the user
// interface signals it to stop a run. Stays signalled, so one per run.
class Wakeup {
 public:
  // Throws std::system_error when no pipe can be made.
  Wakeup();
  Wakeup(const Wakeup&) = delete;
  Wakeup& operator=(const Wakeup&) = delete;
  ~Wakeup();

  // From any thread (also from a signal handler).
  void Signal();
  // Whether it has been signalled, waiting up to `timeoutMs` (-1: no limit) for it.
  bool Signalled(int timeoutMs = 0) const;
  // The one wait of a run for something that gives no descriptor to wait on:
  // checks `done` until it holds (true) or this is signalled first (false).
  // The first checks come a millisecond apart, so an end that has just come
  // is seen at once; later ones at most ten a second.
  bool WaitUntil(const std::function<bool()>& done) const;
  // Readable once signalled; for ReadSome.
  int fd() const { return m_read; }

 private:
  int m_read = -1;
  int m_write = -1;
};

// Used from one thread; another thread stops a wait in ReadSome through a
// Wakeup, and hands over typed input through a RunInput (ReadUntilEnd).
class ChildProcess {
 public:
  // Where a standard stream of the child comes from or goes to.
  enum class Stream {
    Null,     // /dev/null
    Pipe,     // this object: WriteInput, ReadSome
    File,     // the path beside it: read, or created / truncated with mode 0644
    Inherit,  // the editor's own
  };

  struct Options {
    // argv[0] without a '/' is looked up in the PATH of `environment`; a
    // relative path or PATH folder counts from `workingDir`, as the child sees it.
    std::vector<std::string> argv;
    std::string workingDir;  // empty: the editor's own
    std::optional<std::vector<std::string>> environment;  // "NAME=value"; none: the editor's own
    // Paths of File streams are opened before the change of folder, so a
    // relative one is taken from the editor's folder.
    Stream in = Stream::Null;
    std::string inPath;
    Stream out = Stream::Pipe;
    std::string outPath;
    Stream err = Stream::Pipe;
    std::string errPath;
  };

  enum class Progress {
    Open,   // more may come: call again
    Woken,  // the wake-up was signalled
    Input,  // the input descriptor is readable: typed input waits
    Ended,  // every pipe is at its end and the queued input is gone
  };

  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Closes the pipes; a child still running is killed (with its group) and reaped.
  ~ChildProcess();

  // False with the errno in `error` when the child could not be started:
  // ENOENT when argv[0] is not found, EINVAL for an empty argv, a File
  // stream without a path, or a child already started.
  bool Start(const Options& options, int* error = nullptr);

  // Queues bytes for a Pipe standard input. ReadSome writes them as the child
  // takes them, so a child that writes much while it reads never stalls
  // against us. Dropped when the child closes its input.
  void WriteInput(std::string_view bytes);
  // Closes standard input once the queued bytes are written.
  void CloseInput();

  // Waits up to `timeoutMs` (-1: no limit) for something to do, then appends
  // what arrived on standard output and standard error (bytes as they come)
  // and writes queued input. Returns early when `wakeFd` becomes readable,
  // or `inputFd` (Woken first when both are).
  Progress ReadSome(std::string& out, std::string& err, int timeoutMs, int wakeFd = -1, int inputFd = -1);

  // The exit status, or 128 + the signal that ended it; none while it runs.
  std::optional<int> TryWait();
  // Blocks until the child ends; the code as TryWait; -1 when none was started.
  int Wait();
  // Waits for the child's end unless `stop` is signalled
  // first, which ends it (Terminate). The code as Wait; `stopped` tells
  // whether `stop` ended it.
  int WaitUnlessStopped(const Wakeup& stop, bool* stopped = nullptr);
  // Hands standard output and standard error to `take` as they come, until
  // both end or `stop` is signalled (which ends the child), then waits as
  // WaitUnlessStopped: a child may close its output and go on running.
  // With `input` (for a Pipe standard input), what is sent through it goes
  // to the child as it comes, and its echo to `echo`.
  using Take = std::function<void(std::string_view out, std::string_view err)>;
  using Echo = std::function<void(std::string echo)>;
  int ReadUntilEnd(const Wakeup& stop, const Take& take, bool* stopped = nullptr, RunInput* input = nullptr,
                   const Echo& echo = {});
  // Kills the child and every process of its group at once.
  void Terminate();
  // Lets go of a child still running without stopping it (a terminal window
  // that stays open); a thread of its own reaps it when it ends.
  void Release();

 private:
  void PumpInput();
  // Blocks until the child ends (true) or `stop` is signalled first (false).
  bool WaitForEnd(const Wakeup& stop);
  // ReadSome with what was read left in buffers of this object (valid until
  // the next call) instead of appended to strings.
  Progress Collect(std::string_view& out, std::string_view& err, int timeoutMs, int wakeFd, int inputFd);

  pid_t m_pid = -1;
  bool m_reaped = false;
  std::optional<int> m_exit;
  int m_in = -1;
  int m_out = -1;
  int m_err = -1;
  std::string m_input;         // queued for standard input
  std::size_t m_inputSent = 0;  // of m_input, already written
  bool m_closeInput = false;
  std::unique_ptr<char[]> m_readBuffers[2];  // standard output, standard error
};

}  // namespace corvella
