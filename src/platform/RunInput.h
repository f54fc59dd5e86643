// Standard input typed while a run goes on: the user-interface thread hands lines over without waiting, the run's worker takes them as soon as its wait wakes.
#pragma once

#include <mutex>
#include <string>

namespace corvella {

// Shared by the thread that types and the worker that owns the child; the
// worker polls fd() beside the child's pipes (ChildProcess::ReadUntilEnd).
class RunInput {
 public:
  // What was sent since the worker last took: bytes for the child, the same
  // line as pane text, and whether the input is to end after them.
  struct Piece {
    std::string bytes;
    std::string echo;
    bool close = false;
  };

  // Throws std::system_error when no pipe can be made.
  RunInput();
  RunInput(const RunInput&) = delete;
  RunInput& operator=(const RunInput&) = delete;
  ~RunInput();

  // From any thread, never blocking. Ignored once closed.
  void Send(std::string bytes, std::string echo);
  // The child reads end of file after what was sent before.
  void Close();
  bool IsClosed() const;

  // Readable while something waits to be taken.
  int fd() const { return m_read; }
  // On the worker: everything that waits, emptied.
  Piece Take();

 private:
  void Wake();

  mutable std::mutex m_lock;
  Piece m_waiting;
  bool m_closed = false;
  int m_read = -1;
  int m_write = -1;
};

}  // namespace corvella
