// A console run: the run's shell script in a terminal window of its own, its end learnt from the script itself, the script put back afterwards.
#include "run/ConsoleRun.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include <unistd.h>

#include "platform/ChildProcess.h"

namespace corvella {
namespace {

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

std::string EnvValue(const std::vector<std::string>& environment, const std::string& name) {
  for (const std::string& entry : environment) {
    if (entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 && entry[name.size()] == '=') {
      return entry.substr(name.size() + 1);
    }
  }
  return {};
}

bool InPath(const std::string& program, const std::string& path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find(':', start), path.size());
    const std::string folder = path.substr(start, end - start);
    if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// How long a terminal that has returned may take to begin the script.
constexpr std::chrono::seconds kStartGrace{15};

}  // namespace

std::vector<std::string> ConsoleRun::FindTerminal(const std::vector<std::string>& environment) {
  const std::string chosen = EnvValue(environment, "CORVELLA_TERMINAL");
  if (!chosen.empty()) return {chosen};
  const std::string path = EnvValue(environment, "PATH");
  if (InPath("x-terminal-emulator", path)) return {"x-terminal-emulator"};
  return {"xterm"};
}

ConsoleRun::ConsoleRun(Launch launch, std::function<void()> restore, Finished finished)
    : m_launch(std::move(launch)), m_restore(std::move(restore)), m_finished(std::move(finished)),
      m_wakeup(std::make_unique<Wakeup>()) {
  m_worker = std::thread([this] { Work(); });
}

ConsoleRun::~ConsoleRun() {
  m_wakeup->Signal();
  if (m_worker.joinable()) m_worker.join();
}

// Many terminals hand the window to a server and return at once, so the
// terminal process says nothing about the run: the script deletes its
// markers instead. A terminal that fails, or returns and never begins the
// script, ends the wait too.
void ConsoleRun::Work() {
  ChildProcess terminal;
  ChildProcess::Options options;
  options.argv = m_launch.terminal;
  options.argv.insert(options.argv.end(), {"-e", "sh", m_launch.shellScript});
  options.workingDir = m_launch.workingDir;
  options.environment = m_launch.environment;
  options.out = ChildProcess::Stream::Inherit;
  options.err = ChildProcess::Stream::Inherit;
  int error = 0;
  const bool started = terminal.Start(options, &error);
  if (started && !m_launch.doneMarker.empty()) {
    std::optional<std::chrono::steady_clock::time_point> returned;
    m_wakeup->WaitUntil([&] {
      if (!Exists(m_launch.doneMarker)) return true;
      const std::optional<int> code = terminal.TryWait();
      if (!code) return false;
      if (*code != 0) return true;
      if (!Exists(m_launch.startedMarker)) return false;  // the script has begun: its end tells
      const auto now = std::chrono::steady_clock::now();
      if (!returned) returned = now;
      return now - *returned > kStartGrace;
    });
  }
  if (m_restore) m_restore();
  std::error_code ec;
  if (!m_launch.startedMarker.empty()) std::filesystem::remove(m_launch.startedMarker, ec);
  if (!m_launch.doneMarker.empty()) std::filesystem::remove(m_launch.doneMarker, ec);
  m_done = true;
  if (m_finished) m_finished(started, error);
  // A terminal still open stays open when the editor lets go of it.
  if (started && !terminal.TryWait()) terminal.Release();
}

}  // namespace corvella
