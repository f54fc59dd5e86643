// The colouring editor on 100 MB of Japanese Perl, offscreen: painting one screen of 60 lines, and an edit with the
// repaint after it (ms per screen).
#include <benchmark/benchmark.h>

#include <string>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "Corpus.h"
#include "QtBenchMain.h"
#include "editor/SyntaxView.h"
#include "text/LoadedText.h"

namespace {

// The corpus Perl file (UTF-8) as the editor holds it, five times over.
std::string LoadText() {
  const std::string raw = corvella::bench::ReadCorpusFile("perl-20m.pl");
  int encoding = 3, newline = 0;
  const std::string one(corvella::DecodeLoadedText(raw, false, encoding, newline).text.View());
  std::string all;
  all.reserve(one.size() * 5);
  for (int i = 0; i < 5; ++i) all += one;
  return all;
}

corvella::CSyntaxView& View() {
  static corvella::CSyntaxView* view = [] {
    auto* v = new corvella::CSyntaxView;
    v->SetMargins(32, 0);
    v->OnInitialUpdate(LoadText());
    v->resize(1000, v->LineHeight() * 60 + 4);
    v->show();
    return v;
  }();
  return *view;
}

void BM_LoadIntoView(benchmark::State& state) {
  const std::string text = LoadText();
  corvella::CSyntaxView view;
  for (auto _ : state) {
    view.OnInitialUpdate(text);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_LoadIntoView)->Unit(benchmark::kMillisecond)->Iterations(3);

// Paints the 60 visible lines at a fraction of the way through the text.
void BM_PaintScreen(benchmark::State& state) {
  corvella::CSyntaxView& view = View();
  const auto lines = static_cast<int>(view.Buffer().GetLineCount());
  view.SetFirstVisibleLine(static_cast<int>(lines * (state.range(0) / 100.0)));
  QImage image(view.viewport()->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    view.viewport()->render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["lines"] = view.VisibleLineCount();
}
BENCHMARK(BM_PaintScreen)->Arg(0)->Arg(50)->Arg(99)->Unit(benchmark::kMillisecond);

// An edit on line 1 and the repaint of the screen at the top, the goal being
// 2 ms: a character (0) or a line break (1), put in and taken out again on
// alternate iterations, and the state of line 2 asked as Enter asks it. The
// states of every line are known beforehand, so that each edit has the most
// of them to keep.
void BM_EditAndRepaintTop(benchmark::State& state) {
  corvella::CSyntaxView& view = View();
  corvella::EditBuffer& buffer = view.Buffer();
  view.SetFirstVisibleLine(0);
  view.CommentAbove(buffer.GetLineCount());
  const std::string text = state.range(0) ? "\r\n" : "x";
  const std::size_t at = buffer.LineIndex(1);
  const std::size_t scanned = view.LineStates().ScannedLines();
  QImage image(view.viewport()->size(), QImage::Format_RGB32);
  bool inserted = false;
  for (auto _ : state) {
    view.SetSel(at, inserted ? at + text.size() : at);
    view.ReplaceSel(inserted ? std::string_view() : std::string_view(text));
    inserted = !inserted;
    bool above = view.CommentAbove(2);
    benchmark::DoNotOptimize(above);
    view.viewport()->render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  if (inserted) {
    view.SetSel(at, at + text.size());
    view.ReplaceSel({});
  }
  state.counters["lines scanned per edit"] = benchmark::Counter(
      static_cast<double>(view.LineStates().ScannedLines() - scanned) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_EditAndRepaintTop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What the first Enter on the last line of the freshly loaded text costs:
// the states of every line above it, once.
void BM_FirstStateAtTheEnd(benchmark::State& state) {
  corvella::CSyntaxView& view = View();
  for (auto _ : state) {
    state.PauseTiming();
    view.OnInitialUpdate(view.Buffer().GetText());
    state.ResumeTiming();
    bool above = view.CommentAbove(view.Buffer().GetLineCount() - 1);
    benchmark::DoNotOptimize(above);
  }
  state.counters["lines"] = static_cast<double>(view.Buffer().GetLineCount());
}
BENCHMARK(BM_FirstStateAtTheEnd)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

CORVELLA_QT_BENCHMARK_MAIN()
