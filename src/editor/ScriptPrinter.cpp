// Printing and previewing a script view: a header with the document's path, rules, the wrapped text and "- n -" page numbers.
#include "editor/ScriptPrinter.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>

#include "base/WaitCursor.h"
#include "editor/Cp932Text.h"
#include "document/EditBuffer.h"
#include "editor/EditControl.h"
#include "document/PrintLayout.h"
#include "document/SjisChar.h"

namespace corvella {
namespace {

struct PageGeometry {
  PageLayout layout;
  int lineHeight = 1;
  int cellWidth = 1;
  int columns = 1;
  int rowsPerPage = 1;
};

// The editor's font comes back from the settings sized in screen pixels, and a
// pixel on a printer is one of its dots: 1/600 inch or less. Its size goes over
// to points so that the type on paper is as tall as the font's point size.
QFont PrintFont(const QFont& font) {
  if (font.pixelSize() <= 0) return font;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
  QFont printed(font);
  printed.setPointSizeF(font.pixelSize() * 72.0 / dpi);
  return printed;
}

PageGeometry Measure(QPagedPaintDevice& device, const QFont& font) {
  PageGeometry g;
  const QFontMetrics fm(PrintFont(font), &device);
  g.lineHeight = std::max(1, fm.height());
  g.cellWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('M')));
  const PrintRect page{0, 0, device.width(), device.height()};
  g.layout = LayoutPage(page, g.lineHeight);
  g.columns = std::max(2, g.layout.text.Width() / g.cellWidth);
  g.rowsPerPage = std::max(1, g.layout.text.Height() / g.lineHeight);
  return g;
}

// The first byte of each page `text` takes on `device`.
std::vector<std::size_t> PageStartsOn(QPagedPaintDevice& device, const std::string& text, const QFont& font,
                                      int tabWidth) {
  const PageGeometry g = Measure(device, font);
  return PageStarts(WrapForPrint(text, g.columns, tabWidth), g.rowsPerPage);
}

QRect ToQRect(const PrintRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

// One row with its tabs expanded to blanks, so that the fixed-pitch grid holds.
QString RowText(std::string_view row, int tabWidth) {
  std::string expanded;
  int cell = 0;
  for (std::size_t i = 0; i < row.size();) {
    const std::size_t next = SjisCharEnd(row, i);
    if (row[i] == '\t') {
      const int blanks = tabWidth - cell % tabWidth;
      expanded.append(static_cast<std::size_t>(blanks), ' ');
      cell += blanks;
    } else {
      expanded.append(row.substr(i, next - i));
      cell += static_cast<int>(next - i);
    }
    i = next;
  }
  return SjisToQString(expanded);
}

}  // namespace

QPrinter& SharedPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

int PaintScriptPages(QPagedPaintDevice& device, const std::string& text, const QFont& font, int tabWidth,
                     const QString& header, int fromPage, int toPage) {
  const PageGeometry g = Measure(device, font);
  const std::vector<PrintRow> rows = WrapForPrint(text, g.columns, tabWidth);
  const int pageCount = static_cast<int>((rows.size() + g.rowsPerPage - 1) / g.rowsPerPage);
  fromPage = std::max(1, fromPage);
  toPage = toPage <= 0 ? pageCount : std::min(toPage, pageCount);
  QPainter painter;
  if (fromPage > toPage || !painter.begin(&device)) return pageCount;
  painter.setFont(QFont(PrintFont(font), &device));
  const QFontMetrics fm(painter.font());
  const PageLayout& l = g.layout;
  for (int page = fromPage; page <= toPage; ++page) {
    if (page > fromPage) device.newPage();
    painter.setPen(Qt::black);
    painter.drawText(ToQRect(l.header), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                     fm.elidedText(header, Qt::ElideMiddle, l.header.Width()));
    painter.drawLine(l.body.left, l.headerRule, l.body.right, l.headerRule);
    painter.drawLine(l.body.left, l.footerRule, l.body.right, l.footerRule);
    const std::size_t first = static_cast<std::size_t>(page - 1) * static_cast<std::size_t>(g.rowsPerPage);
    const std::size_t last = std::min(rows.size(), first + static_cast<std::size_t>(g.rowsPerPage));
    int y = l.text.top;
    for (std::size_t r = first; r < last; ++r) {
      const std::string_view row(text.data() + rows[r].start, rows[r].end - rows[r].start);
      painter.drawText(QPoint(l.text.left, y + fm.ascent()), RowText(row, tabWidth));
      y += g.lineHeight;
    }
    painter.drawText(ToQRect(l.footer), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                     QString::fromStdString(PageFooterText(static_cast<unsigned long>(page))));
  }
  painter.end();
  return pageCount;
}

void PrintScript(QWidget* parent, const EditControl& view, const QString& header) {
  QPrinter& printer = SharedPrinter();
  const std::string text = view.Buffer().GetText();
  QPrintDialog dialog(&printer, parent);
  {
    const WaitCursor wait;
    dialog.setMinMax(1, static_cast<int>(PageStartsOn(printer, text, view.EditorFont(), view.TabWidth()).size()));
  }
  if (dialog.exec() != QDialog::Accepted) return;
  int from = 1, to = 0;
  if (printer.printRange() == QPrinter::PageRange) {
    from = printer.fromPage();
    to = printer.toPage();
  }
  const WaitCursor wait;
  PaintScriptPages(printer, text, view.EditorFont(), view.TabWidth(), header, from, to);
}

void PreviewScript(QWidget* parent, const EditControl& view, const QString& header) {
  const std::string text = view.Buffer().GetText();
  const std::size_t selStart = view.Buffer().GetSel().Start();
  // The page of the selection is found on the printer the preview draws on,
  // once its settings are those of the preview.
  auto startPage = std::make_shared<int>(0);
  QPrintPreviewDialog dialog(&SharedPrinter(), parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&, startPage](QPrinter* target) {
    if (*startPage == 0) {
      const WaitCursor wait;
      *startPage = PageOfOffset(PageStartsOn(*target, text, view.EditorFont(), view.TabWidth()), selStart);
    }
    PaintScriptPages(*target, text, view.EditorFont(), view.TabWidth(), header);
  });
  if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
    // Once, when the pages first exist; later the user's page stands.
    auto opened = std::make_shared<bool>(false);
    QObject::connect(preview, &QPrintPreviewWidget::previewChanged, preview, [preview, startPage, opened] {
      if (*opened || *startPage == 0) return;
      *opened = true;
      preview->setCurrentPage(*startPage);
    });
  }
  dialog.exec();
}

void SetUpPrinter(QWidget* parent) {
  QPageSetupDialog dialog(&SharedPrinter(), parent);
  dialog.exec();
}

}  // namespace corvella
