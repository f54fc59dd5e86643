// A listening TCP socket on 127.0.0.1 at a port the system picks: where a child started by the editor connects back.
#pragma once

namespace corvella {

class LoopbackListener {
 public:
  LoopbackListener() = default;
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;
  ~LoopbackListener();

  // False with the errno in `error` when no socket could be made.
  bool Listen(int* error = nullptr);
  int Port() const { return m_port; }
  // A connected socket (the caller closes it), or -1 when `timeoutMs` passed
  // (-1: no limit) or `wakeFd` became readable first.
  int Accept(int timeoutMs, int wakeFd = -1);

 private:
  int m_fd = -1;
  int m_port = 0;
};

}  // namespace corvella
