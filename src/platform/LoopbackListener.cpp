// A listening TCP socket on 127.0.0.1 at a port the system picks: where a child started by the editor connects back.
#include "platform/LoopbackListener.h"

#include <cerrno>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvella {

LoopbackListener::~LoopbackListener() {
  if (m_fd >= 0) ::close(m_fd);
}

bool LoopbackListener::Listen(int* error) {
  const auto fail = [&] {
    if (error) *error = errno;
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    return false;
  };
  // Close-on-exec: no child inherits the port it is meant to connect to.
  m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (m_fd < 0) return fail();
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(m_fd, 4) != 0 ||
      ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return fail();
  }
  m_port = ntohs(address.sin_port);
  return true;
}

int LoopbackListener::Accept(int timeoutMs, int wakeFd) {
  if (m_fd < 0) return -1;
  pollfd fds[2] = {{m_fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
  if (::poll(fds, wakeFd >= 0 ? 2 : 1, timeoutMs) <= 0 || (fds[1].revents & POLLIN)) return -1;
  const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
  return fd;
}

}  // namespace corvella
