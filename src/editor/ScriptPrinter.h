// Printing and previewing a script view: a header with the document's path, rules, the wrapped text and "- n -" page numbers.
#pragma once

#include <cstddef>
#include <string>

#include <QFont>
#include <QString>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace corvella {

class EditControl;

// The printer all print, preview and printer-setup commands share.
QPrinter& SharedPrinter();

// Paints pages `fromPage`..`toPage` (1-based; 0 for "to the end") of
// `text` on `device`; answers how many pages the whole text takes.
int PaintScriptPages(QPagedPaintDevice& device, const std::string& text, const QFont& font, int tabWidth,
                     const QString& header, int fromPage = 1, int toPage = 0);

// The print command: the print dialog, then the pages chosen there.
void PrintScript(QWidget* parent, const EditControl& view, const QString& header);
// The preview, opened on the page that holds the selection's start.
void PreviewScript(QWidget* parent, const EditControl& view, const QString& header);
// The printer setup command.
void SetUpPrinter(QWidget* parent);

}  // namespace corvella
