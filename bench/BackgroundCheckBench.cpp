// A keystroke in the editor (the key, the repaint, the events it queues) with the background check's perl -c running, against the same keystroke with the check off.
#include <benchmark/benchmark.h>

#include <fstream>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "BenchWindow.h"
#include "QtBenchMain.h"
#include "app/BackgroundCheck.h"
#include "editor/MyView.h"
#include "res/resource.h"

namespace {

// perl -c runs BEGIN blocks: this check lasts far longer than the keystrokes measured.
constexpr const char* kScript = "BEGIN { sleep 60 }\nuse strict;\nmy $x = 1;\nprint $x;\n";

void Key(QWidget* view, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(view, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(view, &release);
}

void Keystrokes(benchmark::State& state, bool checking) {
  QTemporaryDir dir;
  const QString script = dir.filePath(QStringLiteral("slow.pl"));
  std::ofstream(script.toStdString()) << kScript;
  BenchWindow window;
  window.Docs().OpenDocumentFile(script);
  corvella::CMyView* view = window.Frame().ActiveView();
  corvella::BackgroundCheck* check = window.Docs().Check();
  if (checking) {
    window.Frame().Router().Route(corvella::res::ID_BACKGROUND_CHECK);
    while (!check->Checking()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  QImage image(view->viewport()->size(), QImage::Format_RGB32);
  bool typed = false;
  for (auto _ : state) {
    if (typed) Key(view, Qt::Key_Backspace, {});
    else Key(view, Qt::Key_X, QStringLiteral("x"));
    typed = !typed;
    view->viewport()->render(&image);
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(image.constBits());
  }
  if (checking && !check->Checking()) state.SkipWithError("the check ended during the keystrokes");
  if (checking) window.Frame().Router().Route(corvella::res::ID_BACKGROUND_CHECK);
}

void BM_KeystrokeWithoutCheck(benchmark::State& state) { Keystrokes(state, false); }
BENCHMARK(BM_KeystrokeWithoutCheck)->Unit(benchmark::kMicrosecond)->Iterations(3000);
void BM_KeystrokeWhileChecking(benchmark::State& state) { Keystrokes(state, true); }
BENCHMARK(BM_KeystrokeWhileChecking)->Unit(benchmark::kMicrosecond)->Iterations(3000);

}  // namespace

CORVELLA_QT_BENCHMARK_MAIN()
