// Program entry: the main window with one editor on the file named on the command line.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>

#include "app/QSettingsProfile.h"
#include "editor/LineNumberWnd.h"
#include "editor/SyntaxView.h"
#include "export/HtmlExportCommand.h"
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
  // File menu: HTML export, enabled while there is text.
  corvella::QSettingsProfile profile;
  const QString path = args.size() > 1 ? QFileInfo(args.at(1)).absoluteFilePath() : QString();
  const QString title = path.isEmpty() ? QStringLiteral("Plumo1") : QFileInfo(path).fileName();
  QMenu* fileMenu = frame.menuBar()->addMenu(QString::fromUtf8(corvella::str::kFileMenuCaption));
  QAction* exportHtml = fileMenu->addAction(QString::fromUtf8(corvella::str::kHtmlExportCaption));
  exportHtml->setData(corvella::kIdHtmlExport);
  exportHtml->setStatusTip(QString::fromUtf8(corvella::str::kHtmlExportPrompt).section(u'\n', 0, 0));
  QObject::connect(exportHtml, &QAction::triggered, view,
                   [&frame, &profile, view, title, path] { corvella::ExportHtml(&frame, *view, profile, title, path); });
  auto updateExport = [view, exportHtml] { exportHtml->setEnabled(corvella::CanExportHtml(*view)); };
  QObject::connect(view, &corvella::EditControl::textChanged, exportHtml, updateExport);
  updateExport();

  frame.show();
  view->setFocus();
  return app.exec();
}
