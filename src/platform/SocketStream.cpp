// A connected socket owned by one thread: whole writes, and reads that another thread can cut short.
#include "platform/SocketStream.h"

#include <cerrno>
#include <utility>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvella {

SocketStream::SocketStream(int fd) : m_fd(fd) {}

SocketStream::SocketStream(SocketStream&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

SocketStream& SocketStream::operator=(SocketStream&& other) noexcept {
  if (this != &other) {
    Close();
    m_fd = std::exchange(other.m_fd, -1);
  }
  return *this;
}

SocketStream::~SocketStream() { Close(); }

void SocketStream::Close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

bool SocketStream::Write(std::string_view bytes) {
  while (!bytes.empty() && m_fd >= 0) {
    const ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        pollfd fd{m_fd, POLLOUT, 0};
        ::poll(&fd, 1, -1);
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return m_fd >= 0;
}

SocketStream::Read SocketStream::ReadSome(std::string& into, int timeoutMs, int wakeFd) {
  if (m_fd < 0) return Read::Closed;
  pollfd fds[2] = {{m_fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
  const int ready = ::poll(fds, wakeFd >= 0 ? 2 : 1, timeoutMs);
  if (ready < 0) return errno == EINTR ? Read::Timeout : Read::Closed;
  if (wakeFd >= 0 && (fds[1].revents & POLLIN)) return Read::Woken;
  if (ready == 0) return Read::Timeout;
  int one = 1;
  ::setsockopt(m_fd, IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
  char buffer[65536];
  const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
  if (n < 0) return errno == EINTR || errno == EAGAIN ? Read::Timeout : Read::Closed;
  if (n == 0) return Read::Closed;
  into.append(buffer, static_cast<std::size_t>(n));
  return Read::Data;
}

}  // namespace corvella
