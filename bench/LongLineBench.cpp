// Keys on one very long line, offscreen: typing, a caret move and a caret blink, each with the repaint it causes, on a
// line of 0.1, 1 and 10 MB against the same on 5,000 lines of 80 bytes (ratios to that and to the 2 ms goal).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

#include "Corpus.h"
#include "QtBenchMain.h"
#include "editor/SyntaxView.h"
#include "text/LoadedText.h"

namespace {

// The corpus's Perl lines as the editor holds them (Shift_JIS), '#' made a
// blank so that one joined line is not a single comment.
std::vector<std::string> CorpusLines() {
  const std::string raw = corvella::bench::ReadCorpusFile("perl-2m.pl");
  int encoding = 3, newline = 0;
  std::string text(corvella::DecodeLoadedText(raw, false, encoding, newline).text.View());
  std::replace(text.begin(), text.end(), '#', ' ');
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    if (end > at) lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// Size 0: 5,000 lines of 80 bytes; otherwise one line of `size` bytes.
std::string MakeText(std::size_t size) {
  static const std::vector<std::string> lines = CorpusLines();
  std::string text;
  if (size == 0) {
    for (std::size_t k = 0; k < 5000; ++k) {
      std::string line = lines[k % lines.size()];
      line.resize(80, ' ');
      text += line + "\r\n";
    }
    return text;
  }
  for (std::size_t k = 0; text.size() < size; ++k) text += lines[k % lines.size()] + " ";
  return text;
}

// One view per size, its caret in the middle of the middle line, scrolled to it.
corvella::CSyntaxView& View(std::size_t size) {
  static std::map<std::size_t, corvella::CSyntaxView*> views;
  corvella::CSyntaxView*& view = views[size];
  if (!view) {
    view = new corvella::CSyntaxView;
    view->SetMargins(32, 0);
    view->OnInitialUpdate(MakeText(size));
    view->resize(1000, view->LineHeight() * 40 + 4);
    view->show();
    view->setFocus();
    const corvella::EditBuffer& buffer = view->Buffer();
    const std::size_t line = buffer.GetLineCount() / 2;
    const std::size_t at = buffer.CharStart(buffer.LineIndex(line) + buffer.LineLength(line) / 2);
    view->SetSel(at, at);
    view->ScrollCaret();
    QImage image(view->viewport()->size(), QImage::Format_RGB32);
    view->viewport()->render(&image);  // the first paint learns what the line needs
  }
  return *view;
}

void Key(corvella::CSyntaxView& view, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&view, &press);
}

// The operations measured: `step` counts iterations, so that each edit or
// move is undone by the next and the line keeps its length.
enum Op { kType, kMove, kBlink };

void Perform(corvella::CSyntaxView& view, Op op, long step, QImage& image) {
  if (op == kType) Key(view, step % 2 ? Qt::Key_Backspace : Qt::Key_X, step % 2 ? QString() : QStringLiteral("x"));
  if (op == kMove) Key(view, step % 2 ? Qt::Key_Left : Qt::Key_Right);
  if (op == kBlink) {
    // What the blink repaints: the caret's cell.
    const QPoint p = view.PosFromChar(view.Sel().caret);
    view.viewport()->render(&image, p, QRegion(p.x() - 1, p.y(), 4, view.LineHeight()));
  } else {
    view.viewport()->render(&image);
  }
  benchmark::DoNotOptimize(image.constBits());
}

double Millis(corvella::CSyntaxView& view, Op op, long step, QImage& image) {
  const auto start = std::chrono::steady_clock::now();
  Perform(view, op, step, image);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double>& v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Arg: the line's size in KB. Each iteration times the operation on the
// long line and on the short-line text, alternately.
void RunOp(benchmark::State& state, Op op) {
  corvella::CSyntaxView& shortView = View(0);
  corvella::CSyntaxView& longView = View(static_cast<std::size_t>(state.range(0)) * 1000);
  QImage image(longView.viewport()->size(), QImage::Format_RGB32);
  std::vector<double> longMs, shortMs;
  long step = 0;
  for (auto _ : state) {
    longMs.push_back(Millis(longView, op, step, image));
    shortMs.push_back(Millis(shortView, op, step, image));
    ++step;
  }
  if (step % 2) {  // leave both texts as they were
    Perform(longView, op, step, image);
    Perform(shortView, op, step, image);
  }
  const double longMedian = Median(longMs), shortMedian = Median(shortMs);
  state.counters["long_ms"] = longMedian;
  state.counters["short_ms"] = shortMedian;
  state.counters["vs_short"] = longMedian / shortMedian;
  state.counters["vs_2ms_goal"] = longMedian / 2.0;
}

void BM_TypeAndRepaint(benchmark::State& state) { RunOp(state, kType); }
void BM_CaretMoveAndRepaint(benchmark::State& state) { RunOp(state, kMove); }
void BM_BlinkRepaint(benchmark::State& state) { RunOp(state, kBlink); }

BENCHMARK(BM_TypeAndRepaint)->Arg(100)->Arg(1000)->Arg(10000)->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CaretMoveAndRepaint)->Arg(100)->Arg(1000)->Arg(10000)->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlinkRepaint)->Arg(100)->Arg(1000)->Arg(10000)->Iterations(40)->Unit(benchmark::kMillisecond);

}  // namespace

CORVELLA_QT_BENCHMARK_MAIN()
