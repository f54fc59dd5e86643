// A hidden run of a script that prints 80 MB, from F7 until the end line is in the output pane of a real main window, against the same command piped into cat.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

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

namespace {

constexpr const char* kScript = "print \"x\" x 79, \"\\n\" for 1..1_000_000;\n";
constexpr double kOutputBytes = 80e6;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_HiddenRunIntoThePane(benchmark::State& state) {
  QTemporaryDir dir;
  const QString script = dir.filePath(QStringLiteral("print80m.pl"));
  std::ofstream(script.toStdString()) << kScript;
  const std::string piped = "cd '" + dir.path().toStdString() + "' && perl print80m.pl | cat > /dev/null";

  BenchWindow window;
  corvella::CMainFrame& frame = window.Frame();
  frame.GetSettings().InsideMode = true;
  window.Docs().OpenDocumentFile(script);

  double runSeconds = 0, catSeconds = 0;
  const long peakBefore = PeakKb();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    frame.Router().Route(corvella::res::ID_COMMAND_RUN);
    // Waits as the program's own event loop does: a loop that polls would
    // take a core from the child and the worker the run is measured by.
    while (frame.IsRunning()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    runSeconds += Seconds(std::chrono::steady_clock::now() - start);

    const auto cat = std::chrono::steady_clock::now();
    if (std::system(piped.c_str()) != 0) state.SkipWithError("perl | cat failed");
    catSeconds += Seconds(std::chrono::steady_clock::now() - cat);
  }
  const std::size_t shown = frame.OutputBar()->Edit().Buffer().GetTextLength();
  state.counters["pane_MB"] = static_cast<double>(shown) / 1e6;
  state.counters["run_s"] = runSeconds / static_cast<double>(state.iterations());
  state.counters["cat_s"] = catSeconds / static_cast<double>(state.iterations());
  state.counters["ratio_to_cat"] = runSeconds / catSeconds;  // goal: at most 2
  state.counters["peak_growth_per_output"] = static_cast<double>(PeakKb() - peakBefore) * 1024.0 / kOutputBytes;
}
BENCHMARK(BM_HiddenRunIntoThePane)->Unit(benchmark::kMillisecond)->Iterations(2);

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
    corvella::HiddenRun run(std::move(launch), {}, lock, [&bytes](std::string_view text, bool) { bytes += text.size(); },
                            nullptr, [&done](int) { done = true; });
    while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  state.counters["MB"] = static_cast<double>(bytes) / 1e6 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_HiddenRunWorkerOnly)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

CORVELLA_QT_BENCHMARK_MAIN()
