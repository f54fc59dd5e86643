// A debug session with a real perl over its socket: a step of a 10,000-line script until its stop (position, stack and lexicals) is in hand, and a session's start to its first stop against perl -d -e 0 started alone.
#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>

#include <unistd.h>

#include "platform/ChildProcess.h"
#include "run/DebugConnection.h"
#include "run/DebuggerReplies.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Stops as they come from the worker.
class Stops {
 public:
  corvella::DebugConnection::Callbacks Callbacks() {
    return {[this](corvella::DebugConnection::Stop stop) {
              const std::lock_guard lock(m_lock);
              m_stop = std::move(stop);
              m_ready.notify_all();
            },
            {}, {}};
  }
  corvella::DebugConnection::Stop Wait() {
    std::unique_lock lock(m_lock);
    m_ready.wait(lock, [this] { return m_stop.has_value(); });
    corvella::DebugConnection::Stop stop = std::move(*m_stop);
    m_stop.reset();
    return stop;
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_ready;
  std::optional<corvella::DebugConnection::Stop> m_stop;
};

struct Session {
  explicit Session(const fs::path& script) : connection("bench", stops.Callbacks()) {
    connection.Listen(nullptr);
    corvella::ChildProcess::Options options;
    options.argv = {"perl", "-d", script.filename().string()};
    options.workingDir = script.parent_path().string();
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.push_back("PERLDB_OPTS=" + connection.DebuggerOptions());
    env.push_back(std::string(corvella::DebugConnection::kTokenVariable) + "=bench");
    options.environment = env;
    child.Start(options);
  }
  Stops stops;
  corvella::DebugConnection connection;
  corvella::ChildProcess child;
};

fs::path LongScript() {
  const fs::path path = fs::temp_directory_path() / ("corvella-bench-debug-" + std::to_string(::getpid()) + ".pl");
  std::ofstream out(path);
  out << "my $n = 0;\nsub bump { my $by = shift; $n += $by; return $n; }\n";
  for (int i = 0; i < 9998; ++i) out << (i % 10 == 0 ? "bump(1);\n" : "$n++;\n");
  return path;
}

void BM_DebugStep(benchmark::State& state) {
  const fs::path script = LongScript();
  Session session(script);
  session.connection.Inspect({"$n"});
  session.stops.Wait();
  for (auto _ : state) {
    session.connection.Move("n", {"$n"});
    const auto stop = session.stops.Wait();
    if (stop.ended || !corvella::ParseDebuggerPosition(stop.reply)) {
      state.SkipWithError("the script ended");
      break;
    }
  }
  session.child.Terminate();
  fs::remove(script);
}
BENCHMARK(BM_DebugStep)->Unit(benchmark::kMillisecond)->Iterations(2000)->Repetitions(3)->ReportAggregatesOnly();

// Counters: seconds to the first stop, seconds of perl -d -e 0 alone, and
// their ratio, from the same run.
void BM_DebugStartToFirstStop(benchmark::State& state) {
  const fs::path script = LongScript();
  double session = 0, alone = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    {
      Session s(script);
      s.connection.Inspect({});
      s.stops.Wait();
      session += Seconds(Clock::now() - start);
      s.child.Terminate();
    }
    const auto bare = Clock::now();
    if (std::system("PERLDB_OPTS=NonStop=1 perl -d -e 0 </dev/null >/dev/null 2>&1") != 0) {
      state.SkipWithError("perl -d -e 0 failed");
    }
    alone += Seconds(Clock::now() - bare);
  }
  state.counters["session_s"] = session / static_cast<double>(state.iterations());
  state.counters["perl_d_alone_s"] = alone / static_cast<double>(state.iterations());
  state.counters["ratio"] = session / alone;
  fs::remove(script);
}
BENCHMARK(BM_DebugStartToFirstStop)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
