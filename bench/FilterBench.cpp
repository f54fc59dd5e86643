// A macro over a 200,000-line selection, from the command until its output stands in the view of a real main window, against the same perl filter run alone on a file.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <QApplication>
#include <QTemporaryDir>

#include "BenchWindow.h"
#include "QtBenchMain.h"
#include "editor/MyView.h"
#include "platform/FileNames.h"
#include "run/ScriptRunner.h"

namespace {

constexpr int kLines = 200000;
constexpr const char* kMacro = "bench_filter";
// The shipped trailing-blank macro's work, in a file of the benchmark's own.
constexpr const char* kFilter =
    "binmode STDIN; binmode STDOUT;\n"
    "while (my $line = <STDIN>) { $line =~ s/[ \\t]+(\\n?)\\z/$1/; print $line; }\n";

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_MacroOverASelection(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path macros = fs::path(corvella::ProgramFolder()) / "macro";
  fs::create_directories(macros);
  const fs::path macro = macros / (std::string(kMacro) + ".pl");
  std::ofstream(macro) << kFilter;
  QTemporaryDir dir;
  std::string text, lfText;
  for (int i = 0; i < kLines; ++i) {
    const std::string line = "my $value" + std::to_string(i) + " = compute($x, $y);   \t";
    text += line + "\r\n";
    lfText += line + "\n";
  }
  const std::string input = dir.filePath(QStringLiteral("input.txt")).toStdString();
  std::ofstream(input, std::ios::binary) << lfText;
  const std::string alone = "perl '" + macro.string() + "' < '" + input + "' > /dev/null";

  BenchWindow window;
  corvella::CMainFrame& frame = window.Frame();
  window.Docs().OnFileNew();
  corvella::CMyView* view = frame.ActiveView();

  double macroSeconds = 0, aloneSeconds = 0;
  for (auto _ : state) {
    view->SetText(text);
    view->SetSel(0, text.size());
    const auto start = std::chrono::steady_clock::now();
    frame.Runner().RunMacro(*view, kMacro);
    macroSeconds += Seconds(std::chrono::steady_clock::now() - start);

    const auto plain = std::chrono::steady_clock::now();
    if (std::system(alone.c_str()) != 0) state.SkipWithError("perl alone failed");
    aloneSeconds += Seconds(std::chrono::steady_clock::now() - plain);
  }
  fs::remove(macro);
  state.counters["macro_s"] = macroSeconds / static_cast<double>(state.iterations());
  state.counters["alone_s"] = aloneSeconds / static_cast<double>(state.iterations());
  state.counters["ratio_to_alone"] = macroSeconds / aloneSeconds;  // goal: at most 1.2
}
BENCHMARK(BM_MacroOverASelection)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

CORVELLA_QT_BENCHMARK_MAIN()
