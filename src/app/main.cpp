// Program entry: the application object over Qt's event loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/MyApp.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt's own dialog texts in Japanese, as the rest of the program.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&qtTexts);
  }
  corvella::CMyApp program;
  QStringList files = app.arguments();
  files.removeFirst();
  if (!program.InitInstance(files)) return 1;
  app.exec();
  return program.ExitInstance();
}
