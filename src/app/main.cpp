// Program entry: the main window with one editor on the file named on the command line.
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>

#include "editor/LineNumberWnd.h"
#include "editor/SyntaxView.h"
#include "res/Strings.h"
#include "text/LoadedText.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow frame;
  frame.setWindowTitle(QString::fromUtf8(corvella::str::kAppTitle));
  auto* view = new corvella::CSyntaxView(&frame);
  view->EnableDragDrop(3);
  view->SetMargins(32, 0);
  frame.setCentralWidget(view);
  auto* gutter = new corvella::CLineNumberWnd;
  gutter->Create(31, view);
  QObject::connect(view, &corvella::EditControl::selectionChanged, gutter, [view, gutter] {
    const int line = static_cast<int>(view->Buffer().LineFromChar(view->Buffer().GetSel().caret));
    if (line != gutter->CurrentLine()) gutter->SetCurrentLine(gutter->CurrentLine(), line);
  });
  frame.resize(1000, 700);

  const QStringList args = app.arguments();
  if (args.size() > 1) {
    QFile file(args.at(1));
    if (file.open(QIODevice::ReadOnly)) {
      const QByteArray raw = file.readAll();
      int encoding = 0;
      int newline = 0;
      const corvella::LoadedText loaded = corvella::DecodeLoadedText(
          std::string_view(raw.constData(), static_cast<std::size_t>(raw.size())), true, encoding, newline);
      view->OnInitialUpdate(loaded.text);
    } else {
      QMessageBox::critical(&frame, frame.windowTitle(), file.errorString());
    }
  }
  frame.show();
  view->setFocus();
  return app.exec();
}
