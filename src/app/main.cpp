// Program entry: hands the command line to the application object.
#include <QApplication>
#include <QMainWindow>

#include "res/Strings.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow frame;
  frame.setWindowTitle(QString::fromUtf8(corvella::str::kAppTitle));
  frame.resize(800, 600);
  frame.show();
  return app.exec();
}
