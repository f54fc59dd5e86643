// A connected socket owned by one thread: whole writes, and reads that another thread can cut short.
#pragma once

#include <string>
#include <string_view>

namespace corvella {

class SocketStream {
 public:
  enum class Read { Data, Timeout, Woken, Closed };

  explicit SocketStream(int fd = -1);
  SocketStream(SocketStream&& other) noexcept;
  SocketStream& operator=(SocketStream&& other) noexcept;
  SocketStream(const SocketStream&) = delete;
  SocketStream& operator=(const SocketStream&) = delete;
  ~SocketStream();

  bool IsOpen() const { return m_fd >= 0; }
  // False when the peer is gone; never raises SIGPIPE.
  bool Write(std::string_view bytes);
  // Appends what arrives within `timeoutMs` (-1: no limit) to `into`.
  // Acknowledges at once: a peer that writes a reply in several small pieces
  // is otherwise held up by delayed acknowledgements on every command.
  Read ReadSome(std::string& into, int timeoutMs, int wakeFd = -1);
  void Close();

 private:
  int m_fd;
};

}  // namespace corvella
