// The editor's end of a debug session: waits for the debugger of the child it started to connect back, makes sure it is that child, then sends commands one at a time and hands on what each stop shows.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/LoopbackListener.h"

namespace corvella {

class Wakeup;

class DebugConnection {
 public:
  // Raw replies, bytes as the debugger wrote them.
  struct Stop {
    std::string reply;                 // of the command that moved the program
    std::string stack;                 // "T"
    std::string variables;             // "y": the current frame's lexicals
    std::vector<std::string> watches;  // "x", one per watched expression
    bool ended = false;                // the program has ended
    std::string exitStatus;            // "$?" once it has
  };
  // On the worker thread.
  struct Callbacks {
    std::function<void(Stop)> stopped;
    std::function<void(std::string reply)> evaluated;
    std::function<void()> lost;  // the debugger is gone: no more replies come
  };

  // `token` is what the child's debugger must read from its environment
  // variable kTokenVariable and send back before anything else is sent.
  DebugConnection(std::string token, Callbacks callbacks);
  // Stops the worker; the socket closes.
  ~DebugConnection();
  DebugConnection(const DebugConnection&) = delete;
  DebugConnection& operator=(const DebugConnection&) = delete;

  static constexpr const char* kTokenVariable = "CORVELLA_DEBUG_TOKEN";

  // The port the child is to connect to; false with errno when there is none.
  bool Listen(int* error);
  int Port() const { return m_listener.Port(); }
  // The value of PERLDB_OPTS that makes the child's debugger connect here.
  std::string DebuggerOptions() const;

  // Queued from any thread, sent in order once the child is connected. A
  // motion ("s", "n", "r", "c", "c 12") ends in `stopped` with the stack, the
  // lexicals and `watches`; Inspect does the same without moving; Evaluate
  // hands its reply to `evaluated`; Quietly's reply is dropped.
  void Move(std::string command, std::vector<std::string> watches);
  void Inspect(std::vector<std::string> watches);
  void Evaluate(std::string line);
  void Quietly(std::string line);

 private:
  enum class Kind { Move, Inspect, Evaluate, Quiet };
  struct Request {
    Kind kind;
    std::string line;
    std::vector<std::string> watches;
  };
  class Session;

  void Push(Request request);
  void Work();
  bool Connect(Session& session);
  void Serve(Session& session);
  void AcceptForks();
  // Answers a forked process's debugger until that process ends.
  void LetRun(int fd);
  bool Refresh(Session& session, const std::vector<std::string>& watches, Stop& stop);

  std::string m_token;
  Callbacks m_callbacks;
  LoopbackListener m_listener;
  std::unique_ptr<Wakeup> m_stop;  // cuts a wait for the child short
  std::mutex m_lock;
  std::condition_variable m_wake;
  std::deque<Request> m_requests;
  bool m_stopping = false;
  std::thread m_worker;
  std::thread m_acceptor;
  struct Fork {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  std::vector<Fork> m_forks;  // under m_lock until the end
};

}  // namespace corvella
