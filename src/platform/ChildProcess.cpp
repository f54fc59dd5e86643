// A child process started from an argument vector (never through a shell), with its output read from pipes as it comes, stopped on request.
#include "platform/ChildProcess.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace corvella {
namespace {

std::vector<char*> CStrings(const std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (const std::string& s : strings) out.push_back(const_cast<char*>(s.c_str()));
  out.push_back(nullptr);
  return out;
}

}  // namespace

ChildProcess::~ChildProcess() {
  if (Running()) {
    Terminate();
    Wait();
  }
  ClosePipes();
}

void ChildProcess::ClosePipes() {
  for (int* fd : {&m_out, &m_err}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
}

bool ChildProcess::Start(const Options& options, int* error) {
  auto fail = [error](int e) {
    if (error) *error = e;
    return false;
  };
  if (options.argv.empty() || m_pid > 0) return fail(EINVAL);
  int outPipe[2] = {-1, -1};
  int errPipe[2] = {-1, -1};
  if (options.captureOutput && (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0)) {
    const int e = errno;
    for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) {
      if (fd >= 0) ::close(fd);
    }
    return fail(e);
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, options.stdinPath.empty() ? "/dev/null" : options.stdinPath.c_str(),
                                   O_RDONLY, 0);
  if (options.captureOutput) {
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
  }
  if (!options.workingDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, options.workingDir.c_str());
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  // Its own process group, so that stopping it stops what it started too.
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);

  std::vector<char*> argv = CStrings(options.argv);
  std::vector<char*> envp;
  if (options.environment) envp = CStrings(*options.environment);
  const int rc = ::posix_spawnp(&m_pid, argv[0], &actions, &attr, argv.data(),
                                options.environment ? envp.data() : environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (options.captureOutput) {
    ::close(outPipe[1]);
    ::close(errPipe[1]);
  }
  if (rc != 0) {
    m_pid = -1;
    if (options.captureOutput) {
      ::close(outPipe[0]);
      ::close(errPipe[0]);
    }
    return fail(rc);
  }
  m_out = options.captureOutput ? outPipe[0] : -1;
  m_err = options.captureOutput ? errPipe[0] : -1;
  return true;
}

bool ChildProcess::ReadSome(std::string& out, int timeoutMs) {
  if (m_out < 0 && m_err < 0) return false;
  pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
  const int ready = ::poll(fds, 2, timeoutMs);
  if (ready <= 0) return true;
  for (int i = 0; i < 2; ++i) {
    int& fd = i == 0 ? m_out : m_err;
    if (fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
    char buffer[65536];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      out.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      ::close(fd);
      fd = -1;
    }
  }
  return m_out >= 0 || m_err >= 0;
}

void ChildProcess::Terminate() {
  if (Running()) ::kill(-m_pid, SIGKILL);
}

int ChildProcess::Wait() {
  if (m_exit) return *m_exit;
  if (m_pid <= 0) return -1;
  int status = 0;
  pid_t r;
  do {
    r = ::waitpid(m_pid, &status, 0);
  } while (r < 0 && errno == EINTR);
  if (r < 0) m_exit = -1;
  else if (WIFEXITED(status)) m_exit = WEXITSTATUS(status);
  else if (WIFSIGNALED(status)) m_exit = 128 + WTERMSIG(status);
  else m_exit = -1;
  return *m_exit;
}

}  // namespace corvella
