// Program entry: the application object over Qt's event loop.
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/InstanceChannel.h"
#include "app/MissingQtTexts.h"
#include "app/MyApp.h"
#include "app/StartArguments.h"
#include "editor/EditControl.h"
#include "platform/DesktopSession.h"
#include "platform/FilePrefetch.h"
#include "platform/FileNames.h"

namespace {

using Clock = std::chrono::steady_clock;

// With --startup-time: prints the time from the start of main to the first
// paint of a document's text (of any window when no file was named), then ends.
class FirstPaintProbe : public QObject {
 public:
  FirstPaintProbe(Clock::time_point start, bool waitForText) : m_start(start), m_waitForText(waitForText) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || m_done) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (m_waitForText && !qobject_cast<corvella::EditControl*>(widget->parentWidget()))) return false;
    m_done = true;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_start).count();
    std::printf("first paint after %lld ms\n", static_cast<long long>(ms));
    std::fflush(stdout);
    QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
    return false;
  }

 private:
  Clock::time_point m_start;
  bool m_waitForText;
  bool m_done = false;
};

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point start = Clock::now();
  // The named files are read on a second thread while Qt and the window
  // start; their opens take the bytes from there.
  const corvella::StartArguments early(std::vector<std::string>(argv + 1, argv + argc));
  std::vector<std::string> prefetchPaths;
  for (const std::string& file : early.Files()) {
    prefetchPaths.push_back(corvella::PathForOpening(file));
  }
  corvella::FilePrefetch prefetch(std::move(prefetchPaths));
  // Qt's own dialogs give sizes, dates and numbers in the session's locale
  // (the file dialog asks the system locale itself): make that Japanese, as
  // the rest of the program, whatever language the session is set to. The
  // environment is put back at once, so scripts run in the user's own.
  corvella::WithLocaleEnvironment("ja_JP.UTF-8", [] { (void)QLocale::system(); });
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  QLocale::setDefault(japanese);
  QApplication app(argc, argv);
  QTranslator qtTexts;
  if (qtTexts.load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&qtTexts);
  }
  // Installed last, so asked first; it answers only what the other leaves out.
  corvella::MissingQtTexts missingTexts;
  app.installTranslator(&missingTexts);
  std::vector<std::string> arguments;
  for (const QString& argument : app.arguments().mid(1)) arguments.push_back(QFile::encodeName(argument).toStdString());
  const corvella::StartArguments command(arguments);
  const bool timeStartup = command.TimeStartup();
  QStringList files;
  for (const std::string& file : command.Files()) files << QFile::decodeName(QByteArray::fromStdString(file));
  FirstPaintProbe probe(start, !files.isEmpty());
  if (timeStartup) app.installEventFilter(&probe);
  // A start with files while the program already runs hands them over and ends.
  corvella::InstanceChannel channel;
  if (!timeStartup && !files.isEmpty() && channel.SendToRunning(files)) return 0;
  corvella::CMyApp program;
  if (!program.InitInstance(files)) return 1;
  prefetch.Finish();  // what no open took is not kept
  channel.Listen([&program](const QString& file) { program.OpenFromShell(file); });
  app.exec();
  return program.ExitInstance();
}
