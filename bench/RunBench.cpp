// A hidden run of a script that prints 80 MB, from F7 until the end line is in the output pane of a real main window, against the same command piped into cat.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QTemporaryDir>

#include <sys/resource.h>

#include "BenchWindow.h"
#include "QtBenchMain.h"
#include "app/OutputBar.h"
#include "document/EditBuffer.h"
#include "editor/EditControl.h"
#include "platform/ChildEnvironment.h"
#include "res/resource.h"
#include "run/HiddenRun.h"
#include "run/RunOutputDecoder.h"

namespace {

constexpr const char* kScript = "print \"x\" x 79, \"\\n\" for 1..1_000_000;\n";
constexpr double kOutputBytes = 80e6;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs and pipes alternate, so that both see the same machine. The first run,
// into a pane and queues that never held anything, is reported on its own as
// well, against the pipes' median: one pipe alone is too noisy a measure.
void BM_HiddenRunIntoThePane(benchmark::State& state) {
  QTemporaryDir dir;
  const QString script = dir.filePath(QStringLiteral("print80m.pl"));
  std::ofstream(script.toStdString()) << kScript;
  const std::string piped = "cd '" + dir.path().toStdString() + "' && perl print80m.pl | cat > /dev/null";

  BenchWindow window;
  corvella::CMainFrame& frame = window.Frame();
  frame.GetSettings().InsideMode = true;
  window.Docs().OpenDocumentFile(script);

  std::vector<double> runs, cats;
  const long peakBefore = PeakKb();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    frame.Router().Route(corvella::res::ID_COMMAND_RUN);
    // Waits as the program's own event loop does: a loop that polls would
    // take a core from the child and the worker the run is measured by.
    while (frame.IsRunning()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    runs.push_back(Seconds(std::chrono::steady_clock::now() - start));

    const auto cat = std::chrono::steady_clock::now();
    if (std::system(piped.c_str()) != 0) state.SkipWithError("perl | cat failed");
    cats.push_back(Seconds(std::chrono::steady_clock::now() - cat));
  }
  const std::size_t shown = frame.OutputBar()->Edit().Buffer().GetTextLength();
  state.counters["pane_MB"] = static_cast<double>(shown) / 1e6;
  state.counters["first_run_to_cat"] = runs.front() / Median(cats);
  state.counters["run_s"] = Median(runs);
  state.counters["cat_s"] = Median(cats);
  // Each run against the pipe timed next to it: the machine's slower drifts
  // fall out of the ratio.
  std::vector<double> ratios;
  for (std::size_t i = 0; i < runs.size(); ++i) ratios.push_back(runs[i] / cats[i]);
  state.counters["ratio_to_cat"] = Median(ratios);  // goal: at most 1.3
  state.counters["peak_growth_per_output"] = static_cast<double>(PeakKb() - peakBefore) * 1024.0 / kOutputBytes;
}
BENCHMARK(BM_HiddenRunIntoThePane)->Unit(benchmark::kMillisecond)->Iterations(15);

// The worker alone (child, pipes, decoding) with the pane's side left out:
// what is over this in the run above is the pane's.
void BM_HiddenRunWorkerOnly(benchmark::State& state) {
  QTemporaryDir dir;
  std::ofstream(dir.filePath(QStringLiteral("print80m.pl")).toStdString()) << kScript;
  std::mutex lock;
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::atomic<bool> done{false};
    corvella::HiddenRun::Launch launch;
    launch.argv = {"perl", "print80m.pl"};
    launch.workingDir = dir.path().toStdString();
    launch.environment = corvella::ChildEnvironment::Shared().Entries();
    std::string text;
    auto take = [&bytes, &text](const corvella::HiddenRun::Write& write, bool) {
      text.clear();
      write(text);
      bytes += text.size();
    };
    corvella::HiddenRun run(std::move(launch), {}, lock, take, nullptr, [&done](int) { done = true; });
    while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  state.counters["MB"] = static_cast<double>(bytes) / 1e6 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_HiddenRunWorkerOnly)->Unit(benchmark::kMillisecond)->Iterations(2);

// The worker's decoding alone: the same 80 MB in the pipe's 1 MB reads,
// decoded into one kept string as a run does.
void BM_DecodeRunOutput(benchmark::State& state) {
  std::string line(79, 'x');
  line += '\n';
  std::string read;
  while (read.size() + line.size() <= (1u << 20)) read += line;
  const std::size_t reads = static_cast<std::size_t>(kOutputBytes) / read.size();
  std::string text;
  for (auto _ : state) {
    corvella::RunOutputDecoder out;
    for (std::size_t i = 0; i < reads; ++i) {
      text.clear();
      out.Feed(read, text);
      benchmark::DoNotOptimize(text.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reads * read.size()));
}
BENCHMARK(BM_DecodeRunOutput)->Unit(benchmark::kMillisecond);

}  // namespace

CORVELLA_QT_BENCHMARK_MAIN()
