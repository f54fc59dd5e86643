// A child process started from an argument vector (never through a shell), its standard streams redirected, its output read from pipes as it comes, stopped on request.
#include "platform/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/PathParts.h"
#include "platform/RunInput.h"

extern char** environ;

namespace corvella {
namespace {

// As much as the pipe holds (its size is raised to 1 MB): a child that prints
// fast is emptied in one read, and the reader wakes once per pipe-full.
constexpr std::size_t kChunk = std::size_t{1} << 20;

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

std::vector<char*> CStrings(const std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (const std::string& s : strings) out.push_back(const_cast<char*>(s.c_str()));
  out.push_back(nullptr);
  return out;
}

// The PATH the child will have; the system's default search path when it has
// none, as execvp does.
std::string SearchPath(const std::optional<std::vector<std::string>>& environment) {
  if (environment) {
    for (const std::string& entry : *environment) {
      if (entry.starts_with("PATH=")) return entry.substr(5);
    }
  } else if (const char* path = ::getenv("PATH")) {
    return path;
  }
  std::string path(::confstr(_CS_PATH, nullptr, 0), '\0');
  if (path.empty()) return "/bin:/usr/bin";
  ::confstr(_CS_PATH, path.data(), path.size());
  path.pop_back();  // the terminating NUL
  return path;
}

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         ::faccessat(AT_FDCWD, path.c_str(), X_OK, AT_EACCESS) == 0;
}

// What to execute for argv[0]: itself when it holds a '/', else the first
// executable regular file of that name in a folder of the child's PATH.
// posix_spawnp would search the editor's own PATH, which lacks the Perl
// folder put before the child's. The child changes folder before it executes,
// so a relative folder (an empty one is ".") counts from its working folder.
std::optional<std::string> FindProgram(const std::string& name, const std::string& searchPath,
                                       const std::string& workingDir) {
  if (name.find('/') != std::string::npos) return name;
  if (name.empty()) return std::nullopt;
  for (std::size_t start = 0;;) {
    const std::size_t colon = searchPath.find(':', start);
    const std::string folder = searchPath.substr(start, colon - start);
    const std::string candidate = JoinPath(folder.empty() ? "." : folder, name);
    const bool relative = candidate[0] != '/' && !workingDir.empty();
    if (IsExecutableFile(relative ? JoinPath(workingDir, candidate) : candidate)) return candidate;
    if (colon == std::string::npos) return std::nullopt;
    start = colon + 1;
  }
}

int AddStream(posix_spawn_file_actions_t* actions, int target, ChildProcess::Stream kind, const std::string& path,
              int pipeEnd) {
  switch (kind) {
    case ChildProcess::Stream::Null:
      return ::posix_spawn_file_actions_addopen(actions, target, "/dev/null", target == 0 ? O_RDONLY : O_WRONLY, 0);
    case ChildProcess::Stream::File:
      return ::posix_spawn_file_actions_addopen(actions, target, path.c_str(),
                                                target == 0 ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC, 0644);
    case ChildProcess::Stream::Pipe:
      return ::posix_spawn_file_actions_adddup2(actions, pipeEnd, target);
    case ChildProcess::Stream::Inherit:
      return 0;
  }
  return EINVAL;
}

// A write to a pipe whose reader is gone raises SIGPIPE, whose default action
// would end the editor. It is blocked in this thread for the write, and the
// one the write raised is taken back, so the write only fails with EPIPE.
ssize_t WriteWithoutSigpipe(int fd, const char* data, std::size_t size) {
  sigset_t pipeSignal, old, pending;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &old);
  sigpending(&pending);
  const bool wasPending = sigismember(&pending, SIGPIPE);
  const ssize_t n = ::write(fd, data, size);
  const int error = errno;
  if (n < 0 && error == EPIPE && !wasPending) {
    const timespec none{0, 0};
    while (::sigtimedwait(&pipeSignal, nullptr, &none) < 0 && errno == EINTR) {
    }
  }
  ::pthread_sigmask(SIG_SETMASK, &old, nullptr);
  errno = error;
  return n;
}

int ExitCode(int siginfoCode, int status) {
  if (siginfoCode == CLD_EXITED) return status;
  if (siginfoCode == CLD_KILLED || siginfoCode == CLD_DUMPED) return 128 + status;
  return -1;
}

}  // namespace

Wakeup::Wakeup() {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) throw std::system_error(errno, std::generic_category(), "wake-up pipe");
  m_read = fds[0];
  m_write = fds[1];
}

Wakeup::~Wakeup() {
  CloseFd(m_read);
  CloseFd(m_write);
}

void Wakeup::Signal() {
  // The byte is never read, so a full pipe is signalled already.
  const int saved = errno;
  const char byte = 1;
  if (::write(m_write, &byte, 1) < 0) {
  }
  errno = saved;
}

bool Wakeup::Signalled(int timeoutMs) const {
  pollfd fd{m_read, POLLIN, 0};
  return ::poll(&fd, 1, timeoutMs) > 0;
}

bool Wakeup::WaitUntil(const std::function<bool()>& done) const {
  for (int pause = 1;; pause = std::min(pause * 2, 100)) {
    if (done()) return true;
    if (Signalled(pause)) return false;
  }
}

ChildProcess::~ChildProcess() {
  CloseFd(m_in);
  CloseFd(m_out);
  CloseFd(m_err);
  if (m_pid > 0 && !m_reaped) {
    if (!TryWait()) Terminate();
    Wait();
  }
}

bool ChildProcess::Start(const Options& options, int* error) {
  auto fail = [error](int e) {
    if (error) *error = e;
    return false;
  };
  const Stream kinds[3] = {options.in, options.out, options.err};
  const std::string* paths[3] = {&options.inPath, &options.outPath, &options.errPath};
  if (options.argv.empty() || m_pid > 0) return fail(EINVAL);
  for (int i = 0; i < 3; ++i) {
    if (kinds[i] == Stream::File && paths[i]->empty()) return fail(EINVAL);
  }
  const auto program = FindProgram(options.argv[0], SearchPath(options.environment), options.workingDir);
  if (!program) return fail(ENOENT);

  // Every descriptor is close-on-exec: a child gets its three streams and
  // none of the editor's files or of another child's pipes.
  int pipes[3][2] = {{-1, -1}, {-1, -1}, {-1, -1}};
  auto closePipes = [&pipes] {
    for (auto& pipe : pipes) {
      for (int& fd : pipe) CloseFd(fd);
    }
  };
  for (int i = 0; i < 3; ++i) {
    if (kinds[i] == Stream::Pipe && ::pipe2(pipes[i], O_CLOEXEC) != 0) {
      const int e = errno;
      closePipes();
      return fail(e);
    }
  }
  // Larger pipes let a child that prints fast go on for longer between two
  // reads, and one that reads fast between two writes (fewer switches);
  // where the system refuses, the default size stays.
  for (int i = 0; i < 3; ++i) {
    if (pipes[i][0] >= 0) ::fcntl(pipes[i][0], F_SETPIPE_SZ, 1 << 20);
  }
  // Only the editor's end of the input pipe, which ReadSome fills as far as
  // it takes; the child's standard input blocks as usual.
  if (pipes[0][1] >= 0) ::fcntl(pipes[0][1], F_SETFL, O_NONBLOCK);

  int rc = 0;
  auto step = [&rc](int r) {
    if (rc == 0) rc = r;
  };
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attr;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawnattr_init(&attr);
  step(AddStream(&actions, 0, options.in, options.inPath, pipes[0][0]));
  step(AddStream(&actions, 1, options.out, options.outPath, pipes[1][1]));
  step(AddStream(&actions, 2, options.err, options.errPath, pipes[2][1]));
  if (!options.workingDir.empty()) step(::posix_spawn_file_actions_addchdir_np(&actions, options.workingDir.c_str()));
  // Its own process group, so that stopping it stops what it started too.
  // Signals start as from a shell: none blocked (the calling thread may
  // block some) and none ignored (the editor may ignore SIGPIPE).
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  step(::posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
  step(::posix_spawnattr_setpgroup(&attr, 0));
  step(::posix_spawnattr_setsigmask(&attr, &none));
  step(::posix_spawnattr_setsigdefault(&attr, &all));

  std::vector<char*> argv = CStrings(options.argv);
  std::vector<char*> envp;
  if (options.environment) envp = CStrings(*options.environment);
  pid_t pid = -1;
  if (rc == 0) {
    rc = ::posix_spawn(&pid, program->c_str(), &actions, &attr, argv.data(),
                       options.environment ? envp.data() : environ);
  }
  ::posix_spawn_file_actions_destroy(&actions);
  ::posix_spawnattr_destroy(&attr);
  CloseFd(pipes[0][0]);  // the child's ends are the child's now
  CloseFd(pipes[1][1]);
  CloseFd(pipes[2][1]);
  if (rc != 0) {
    closePipes();
    return fail(rc);
  }
  m_pid = pid;
  m_in = pipes[0][1];
  m_out = pipes[1][0];
  m_err = pipes[2][0];
  return true;
}

void ChildProcess::WriteInput(std::string_view bytes) {
  if (m_in >= 0 && !m_closeInput) m_input.append(bytes);
}

void ChildProcess::CloseInput() {
  m_closeInput = true;
  if (m_inputSent == m_input.size()) CloseFd(m_in);
}

void ChildProcess::PumpInput() {
  while (m_in >= 0 && m_inputSent < m_input.size()) {
    const ssize_t n = WriteWithoutSigpipe(m_in, m_input.data() + m_inputSent, m_input.size() - m_inputSent);
    if (n > 0) {
      m_inputSent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EAGAIN) {
      return;  // the pipe is full; the next poll tells when it takes more
    } else if (n == 0 || errno != EINTR) {
      CloseFd(m_in);  // the child closed its input: what it did not read is dropped
    }
  }
  m_input.clear();
  m_inputSent = 0;
  if (m_closeInput) CloseFd(m_in);
}

ChildProcess::Progress ChildProcess::ReadSome(std::string& out, std::string& err, int timeoutMs, int wakeFd,
                                              int inputFd) {
  std::string_view outBytes, errBytes;
  const Progress progress = Collect(outBytes, errBytes, timeoutMs, wakeFd, inputFd);
  out.append(outBytes);
  err.append(errBytes);
  return progress;
}

// Each stream is read into a buffer of its own, kept for the next read and
// never cleared: a child that prints much costs one copy of its bytes out of
// the pipe and nothing else.
ChildProcess::Progress ChildProcess::Collect(std::string_view& out, std::string_view& err, int timeoutMs,
                                             int wakeFd, int inputFd) {
  out = err = {};
  auto writing = [this] { return m_in >= 0 && m_inputSent < m_input.size(); };
  auto ended = [&] { return m_out < 0 && m_err < 0 && !writing(); };
  if (ended()) return Progress::Ended;
  pollfd fds[5] = {{m_out, POLLIN, 0},
                   {m_err, POLLIN, 0},
                   {writing() ? m_in : -1, POLLOUT, 0},
                   {wakeFd, POLLIN, 0},
                   {inputFd, POLLIN, 0}};
  if (::poll(fds, 5, timeoutMs) < 0) return Progress::Open;  // interrupted: the caller comes back
  int* sources[2] = {&m_out, &m_err};
  std::string_view* sinks[2] = {&out, &err};
  for (int i = 0; i < 2; ++i) {
    if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
    std::unique_ptr<char[]>& buffer = m_readBuffers[i];
    if (!buffer) buffer.reset(new char[kChunk]);  // left uninitialised: the read fills it
    const ssize_t n = ::read(*sources[i], buffer.get(), kChunk);
    if (n > 0) *sinks[i] = std::string_view(buffer.get(), static_cast<std::size_t>(n));
    if (n == 0 || (n < 0 && errno != EINTR)) CloseFd(*sources[i]);
  }
  if (fds[2].revents) PumpInput();
  if (fds[3].revents) return Progress::Woken;
  if (fds[4].revents) return Progress::Input;
  return ended() ? Progress::Ended : Progress::Open;
}

std::optional<int> ChildProcess::TryWait() {
  if (m_exit || m_pid <= 0) return m_exit;
  // WNOWAIT leaves an ended child unreaped until Wait: its pid, which is the
  // id of its process group, cannot be given to another process meanwhile,
  // so Terminate never reaches a stranger's group.
  siginfo_t info{};
  if (::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == m_pid) {
    m_exit = ExitCode(info.si_code, info.si_status);
  }
  return m_exit;
}

int ChildProcess::Wait() {
  if (m_pid <= 0) return -1;
  if (!m_reaped) {
    int status = 0;
    pid_t r;
    do {
      r = ::waitpid(m_pid, &status, 0);
    } while (r < 0 && errno == EINTR);
    m_reaped = true;
    if (!m_exit) {
      if (r > 0 && WIFEXITED(status)) m_exit = WEXITSTATUS(status);
      else if (r > 0 && WIFSIGNALED(status)) m_exit = 128 + WTERMSIG(status);
      else m_exit = -1;
    }
  }
  return *m_exit;
}

// A pidfd becomes readable when the child ends, so the wait sleeps until the
// end or the stop request without ticking. Where the system has none, the
// end is checked on Wakeup::WaitUntil's short pauses instead.
bool ChildProcess::WaitForEnd(const Wakeup& stop) {
  if (TryWait()) return true;
  // Through syscall(): the C library's header for it lacks C linkage.
  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, m_pid, 0));
  if (pidfd < 0) return stop.WaitUntil([this] { return TryWait().has_value(); });
  pollfd fds[2] = {{pidfd, POLLIN, 0}, {stop.fd(), POLLIN, 0}};
  int ready;
  do {
    ready = ::poll(fds, 2, -1);
  } while (ready < 0 && errno == EINTR);
  ::close(pidfd);
  if (ready < 0) return stop.WaitUntil([this] { return TryWait().has_value(); });
  return TryWait().has_value();  // otherwise it was the stop request
}

// SIGKILL to the whole group at once, not SIGTERM first: a stop must end the
// run now even when the script ignores or catches TERM, a grace period would
// hold the caller on a timer, and Perl without a handler dies of TERM without
// running its END blocks anyway, so TERM would spare little.
int ChildProcess::WaitUnlessStopped(const Wakeup& stop, bool* stopped) {
  const bool ended = WaitForEnd(stop);
  if (!ended) Terminate();
  if (stopped) *stopped = !ended;
  return Wait();
}

// Waits on the pipes and the stop request together instead of polling:
// standard output is read before standard error, and what came before the
// end is all read, as the child wrote it.
// Typed input is handed on while the child's input is open; once it is
// closed or gone, what is typed is taken and dropped, so the wait never spins.
int ChildProcess::ReadUntilEnd(const Wakeup& stop, const Take& take, bool* stopped, RunInput* input,
                               const Echo& echo) {
  for (;;) {
    std::string_view out, err;
    const Progress progress = Collect(out, err, -1, stop.fd(), input ? input->fd() : -1);
    if (!out.empty() || !err.empty()) take(out, err);
    if (progress == Progress::Input) {
      RunInput::Piece piece = input->Take();
      WriteInput(piece.bytes);
      if (piece.close) CloseInput();
      PumpInput();
      if (echo && !piece.echo.empty()) echo(std::move(piece.echo));
      continue;
    }
    if (progress == Progress::Woken) {
      Terminate();
      if (stopped) *stopped = true;
      return Wait();
    }
    if (progress == Progress::Ended) return WaitUnlessStopped(stop, stopped);
  }
}

void ChildProcess::Terminate() {
  if (m_pid > 0 && !m_reaped) ::kill(-m_pid, SIGKILL);
}

void ChildProcess::Release() {
  if (m_pid <= 0 || m_reaped) return;
  std::thread([pid = m_pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  m_reaped = true;
}

}  // namespace corvella
