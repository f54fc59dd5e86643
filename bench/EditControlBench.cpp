// Painting speed of the colouring editor on 100 MB of Japanese Perl: one screen of 60 lines, offscreen (ms per screen).
#include <benchmark/benchmark.h>

#include <string>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "Corpus.h"
#include "editor/SyntaxView.h"
#include "text/LoadedText.h"

namespace {

// The corpus Perl file (UTF-8) as the editor holds it, five times over.
std::string LoadText() {
  const std::string raw = corvella::bench::ReadCorpusFile("perl-20m.pl");
  int encoding = 3, newline = 0;
  const std::string one = corvella::DecodeLoadedText(raw, false, encoding, newline).text;
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

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
