// Program entry: the application object over Qt's event loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/InstanceChannel.h"
#include "app/MyApp.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt's own dialog texts in Japanese, as the rest of the program.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&qtTexts);
  }
  QStringList files = app.arguments();
  files.removeFirst();
  // A start with files while the program already runs hands them over and ends.
  corvella::InstanceChannel channel;
  if (!files.isEmpty() && channel.SendToRunning(files)) return 0;
  corvella::CMyApp program;
  if (!program.InitInstance(files)) return 1;
  channel.Listen([&program](const QString& file) { program.OpenFromShell(file); });
  app.exec();
  return program.ExitInstance();
}
