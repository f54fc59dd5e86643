// Standard input typed while a run goes on: the user-interface thread hands lines over without waiting, the run's worker takes them as soon as its wait wakes.
#include "platform/RunInput.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace corvella {

RunInput::RunInput() {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) throw std::system_error(errno, std::generic_category(), "input pipe");
  m_read = fds[0];
  m_write = fds[1];
}

RunInput::~RunInput() {
  ::close(m_read);
  ::close(m_write);
}

void RunInput::Send(std::string bytes, std::string echo) {
  {
    const std::lock_guard lock(m_lock);
    if (m_closed) return;
    m_waiting.bytes += bytes;
    m_waiting.echo += echo;
  }
  Wake();
}

void RunInput::Close() {
  {
    const std::lock_guard lock(m_lock);
    if (m_closed) return;
    m_closed = true;
    m_waiting.close = true;
  }
  Wake();
}

bool RunInput::IsClosed() const {
  const std::lock_guard lock(m_lock);
  return m_closed;
}

// A full pipe is readable already, so a byte that does not fit is not missed.
void RunInput::Wake() {
  const char byte = 1;
  if (::write(m_write, &byte, 1) < 0) {
  }
}

// The pipe is emptied before the lock is taken: a Send that comes between
// the two leaves a byte behind, so the worker wakes again for it.
RunInput::Piece RunInput::Take() {
  char bytes[64];
  while (::read(m_read, bytes, sizeof bytes) > 0) {
  }
  const std::lock_guard lock(m_lock);
  Piece piece = std::move(m_waiting);
  m_waiting = Piece{};
  return piece;
}

}  // namespace corvella
