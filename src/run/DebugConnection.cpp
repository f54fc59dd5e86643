// The editor's end of a debug session: waits for the debugger of the child it started to connect back, makes sure it is that child, then sends commands one at a time and hands on what each stop shows.
#include "run/DebugConnection.h"

#include <optional>
#include <string_view>

#include <unistd.h>

#include "platform/ChildProcess.h"
#include "platform/SocketStream.h"
#include "run/DebuggerReplies.h"

namespace corvella {
namespace {

// Sent as one line once the child has connected: the child proves it is ours
// by sending back the token it alone was given (and the script never sees
// it; a process it forks connects again and shows the same), and the
// debugger learns to set breakpoints by a file's absolute path, in files
// loaded already and in files loaded later. A breakpoint on a line where no
// statement starts goes to the next one that does.
// A line that begins with '{' would be a debugger command of its own.
constexpr std::string_view kSetup = R"(do { package DB; no strict; no warnings;
$DB::corvella_token = delete($ENV{CORVELLA_DEBUG_TOKEN}) unless defined $DB::corvella_token;
print {$DB::OUT} "corvella:$DB::corvella_token\n";
if (!$DB::corvella_ready++) {
require Cwd;
sub corvella_path { my $p = Cwd::abs_path($_[0]); defined $p ? $p : $_[0] }
sub corvella_set { my ($key, $abs, $line, $on, $once) = @_; local *dbline = $main::{$key}; my $file = substr($key, 2);
 my $new = defined &DB::_set_breakpoint_enabled_status;
 if (!$on) { my $at = delete $DB::corvella_at{"$abs\0$line"}; return unless defined $at;
  delete $dbline{$at}; DB::_delete_breakpoint_data_ref($file, $at) if $new; return }
 my $at = $line; $at++ while $at <= $#dbline && $dbline[$at] == 0; return if $at > $#dbline;
 if ($once) { $dbline{$at} =~ s/($|\0)/;9$1/; DB::_enable_breakpoint_temp_enabled_status($file, $at) if $new; return }
 $dbline{$at} = 1; $DB::had_breakpoints{$file} |= 1; DB::_set_breakpoint_enabled_status($file, $at, 1) if $new;
 $DB::corvella_at{"$abs\0$line"} = $at }
sub corvella_break { my ($abs, $line, $on, $once) = @_;
 if (!$once) { if ($on) { $DB::corvella_bp{$abs}{$line} = 1 } else { delete $DB::corvella_bp{$abs}{$line} } }
 for my $key (grep { /^_</ && !/^_<\(eval/ } keys %main::) {
  corvella_set($key, $abs, $line, $on, $once) if corvella_path(substr($key, 2)) eq $abs } }
my $postponed = \&DB::postponed;
*DB::postponed = sub { my @args = @_; $postponed->(@args);
 if (ref(\$args[0]) eq 'GLOB') { (my $file = ${$args[0]}) =~ s/^_<//; my $abs = corvella_path($file);
  corvella_set("_<$file", $abs, $_, 1, 0) for keys %{$DB::corvella_bp{$abs} || {}} } };
} };)";

// A child that connects and says nothing is not ours.
constexpr int kGreetingTimeoutMs = 10000;

}  // namespace

class DebugConnection::Session {
 public:
  Session(int fd, const Wakeup& stop) : m_socket(fd), m_stop(stop) {}

  // The next reply; none when the debugger is gone, the wait was stopped, or
  // `timeoutMs` passed.
  std::optional<std::string> Reply(int timeoutMs = -1) {
    for (;;) {
      std::string bytes;
      const SocketStream::Read read = m_socket.ReadSome(bytes, timeoutMs, m_stop.fd());
      if (read != SocketStream::Read::Data) return std::nullopt;
      std::vector<std::string> replies = m_reader.Feed(bytes);
      if (!replies.empty()) return std::move(replies.back());
    }
  }
  std::optional<std::string> Ask(std::string_view line) {
    std::string sent(line);
    sent += '\n';
    if (!m_socket.Write(sent)) return std::nullopt;
    return Reply();
  }

  std::string lastMove;  // the reply that shows where the program stands

 private:
  SocketStream m_socket;
  const Wakeup& m_stop;
  DebuggerReplyReader m_reader;
};

DebugConnection::DebugConnection(std::string token, Callbacks callbacks)
    : m_token(std::move(token)), m_callbacks(std::move(callbacks)), m_stop(std::make_unique<Wakeup>()) {}

DebugConnection::~DebugConnection() {
  {
    const std::lock_guard lock(m_lock);
    m_stopping = true;
  }
  m_wake.notify_all();
  m_stop->Signal();
  if (m_worker.joinable()) m_worker.join();
  if (m_acceptor.joinable()) m_acceptor.join();
  for (Fork& fork : m_forks) fork.thread.join();
}

bool DebugConnection::Listen(int* error) {
  if (!m_listener.Listen(error)) return false;
  m_worker = std::thread([this] { Work(); });
  return true;
}

std::string DebugConnection::DebuggerOptions() const {
  // No dumps of returned lists a step out could print by the megabyte, and
  // dumps of values cut at a size the panes can show; no terminal
  // highlighting. The option parser misreads a
  // quoted value after "PrintRet=0" and takes a port's digits up to the next
  // blank: this order reads as meant.
  return "ornaments='' PrintRet=0 arrayDepth=200 hashDepth=200 dumpDepth=10 RemotePort=127.0.0.1:" +
         std::to_string(Port());
}

void DebugConnection::Push(Request request) {
  {
    const std::lock_guard lock(m_lock);
    m_requests.push_back(std::move(request));
  }
  m_wake.notify_all();
}

void DebugConnection::Move(std::string command, std::vector<std::string> watches) {
  Push({Kind::Move, std::move(command), std::move(watches)});
}
void DebugConnection::Inspect(std::vector<std::string> watches) { Push({Kind::Inspect, {}, std::move(watches)}); }
void DebugConnection::Evaluate(std::string line) { Push({Kind::Evaluate, std::move(line), {}}); }
void DebugConnection::Quietly(std::string line) { Push({Kind::Quiet, std::move(line), {}}); }

void DebugConnection::Work() {
  for (;;) {
    const int fd = m_listener.Accept(-1, m_stop->fd());
    if (fd < 0) return;
    Session session(fd, *m_stop);
    if (Connect(session)) {
      m_acceptor = std::thread([this] { AcceptForks(); });
      Serve(session);
      break;
    }
  }
  if (m_callbacks.lost) m_callbacks.lost();
}

// A process the script forks has a debugger of its own, which connects here
// again; it is let run (the session follows the script itself), so that the
// script waiting for it does not wait for good.
void DebugConnection::AcceptForks() {
  for (;;) {
    const int fd = m_listener.Accept(-1, m_stop->fd());
    if (fd < 0) return;
    const std::lock_guard lock(m_lock);
    if (m_stopping) {
      ::close(fd);
      return;
    }
    // A script that forks again and again leaves no finished threads behind.
    std::erase_if(m_forks, [](Fork& fork) {
      if (!*fork.done) return false;
      fork.thread.join();
      return true;
    });
    auto done = std::make_shared<std::atomic<bool>>(false);
    m_forks.push_back({std::thread([this, fd, done] {
                         LetRun(fd);
                         *done = true;
                       }),
                       done});
  }
}

void DebugConnection::LetRun(int fd) {
  Session session(fd, *m_stop);
  if (!Connect(session)) return;
  for (std::optional<std::string> reply = session.Ask("c"); reply; reply = session.Ask("c")) {
    if (IsProgramEnd(*reply)) {
      (void)session.Ask("q");
      return;
    }
  }
}

bool DebugConnection::Connect(Session& session) {
  std::optional<std::string> greeting = session.Reply(kGreetingTimeoutMs);
  if (!greeting) return false;
  std::string setup(kSetup);
  for (char& c : setup) {
    if (c == '\n') c = ' ';
  }
  const std::optional<std::string> proof = session.Ask(setup);
  if (!proof || proof->find("corvella:" + m_token + "\n") == std::string::npos) return false;
  session.lastMove = std::move(*greeting);
  return true;
}

bool DebugConnection::Refresh(Session& session, const std::vector<std::string>& watches, Stop& stop) {
  stop.reply = session.lastMove;
  if (IsProgramEnd(stop.reply)) {
    stop.ended = true;
    auto status = session.Ask("p $?");
    if (!status) return false;
    stop.exitStatus = std::move(*status);
    return true;
  }
  auto stack = session.Ask("T");
  auto variables = stack ? session.Ask("y") : std::nullopt;
  if (!variables) return false;
  stop.stack = std::move(*stack);
  stop.variables = std::move(*variables);
  for (const std::string& watch : watches) {
    auto value = session.Ask("x " + watch);
    if (!value) return false;
    stop.watches.push_back(std::move(*value));
  }
  return true;
}

void DebugConnection::Serve(Session& session) {
  for (;;) {
    Request request;
    {
      std::unique_lock lock(m_lock);
      m_wake.wait(lock, [this] { return m_stopping || !m_requests.empty(); });
      if (m_stopping) return;
      request = std::move(m_requests.front());
      m_requests.pop_front();
    }
    if (request.kind == Kind::Evaluate || request.kind == Kind::Quiet) {
      std::optional<std::string> reply = session.Ask(request.line);
      if (!reply) return;
      if (request.kind == Kind::Evaluate && m_callbacks.evaluated) m_callbacks.evaluated(std::move(*reply));
      continue;
    }
    if (request.kind == Kind::Move) {
      std::optional<std::string> reply = session.Ask(request.line);
      if (!reply) return;
      session.lastMove = std::move(*reply);
    }
    Stop stop;
    if (!Refresh(session, request.watches, stop)) return;
    const bool ended = stop.ended;
    if (m_callbacks.stopped) m_callbacks.stopped(std::move(stop));
    if (ended) {
      // The debugger waits after the end; quitting lets the child exit.
      (void)session.Ask("q");
      return;
    }
  }
}

}  // namespace corvella
