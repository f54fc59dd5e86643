// Printing a script: pages written to a PDF, their type size on paper, page ranges, and the preview opening on the selection's page.
#include "editor/ScriptPrinter.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "base/EditorFont.h"
#include "document/EditBuffer.h"
#include "editor/EditControl.h"

using namespace corvella;

namespace {

std::string NumberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "print \"line " + std::to_string(i) + "\\n\";\r\n";
  return text;
}

int PagesInPdf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = file.readAll();
  return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "));
}

// Runs [first, last] of rows holding ink on a page rendered at 72 dpi (a pixel
// a point), top to bottom. Rows inked across most of the page are the rules:
// they part runs instead of joining them.
std::vector<std::pair<int, int>> InkRuns(const QImage& page) {
  std::vector<std::pair<int, int>> runs;
  bool open = false;
  for (int y = 0; y < page.height(); ++y) {
    int dark = 0;
    for (int x = 0; x < page.width(); ++x) dark += qGray(page.pixel(x, y)) < 160 ? 1 : 0;
    const bool ink = dark > 0 && dark < page.width() / 2;
    if (ink && open) runs.back().second = y;
    else if (ink) runs.emplace_back(y, y);
    open = ink;
  }
  return runs;
}

}  // namespace

TEST(ScriptPrinterTest, PrintsInTheEditorFontAtItsPointSize) {
  const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  QTemporaryDir dir;
  const QString pdfPath = dir.filePath(QStringLiteral("script.pdf"));
  // Rows of x-height characters only, so that neighbouring rows never touch.
  std::string text;
  for (int i = 0; i < 170; ++i) text += "sum += row - n\r\n";
  // The editor's font as it comes back from the stored settings.
  const QFont font = FontFromLogFont(LogFontFromFont(FixedPitchFont(10)));
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageSize(QPageSize(QPageSize::A4));
    EXPECT_EQ(PaintScriptPages(printer, text, font, 4, QStringLiteral("/tmp/script.pl")), 3);
  }
  QProcess render;
  render.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-f"), QStringLiteral("1"),
                          QStringLiteral("-singlefile"), QStringLiteral("-gray"), QStringLiteral("-png"), pdfPath,
                          dir.filePath(QStringLiteral("page"))});
  ASSERT_TRUE(render.waitForFinished(60000)) << render.errorString().toStdString();
  const QImage page(dir.filePath(QStringLiteral("page.png")));
  ASSERT_FALSE(page.isNull());

  const auto runs = InkRuns(page);
  ASSERT_GE(runs.size(), 12u);
  const auto height = [](const std::pair<int, int>& run) { return run.second - run.first + 1; };
  // The header's path and the footer's "- 1 -" are type of that size too.
  EXPECT_GE(height(runs.front()), 6);
  EXPECT_LE(height(runs.front()), 12);
  EXPECT_GE(height(runs.back()), 5);
  EXPECT_LE(height(runs.back()), 12);
  // The text rows follow one another at the font's height: about its point size.
  std::vector<int> pitches;
  for (std::size_t i = 2; i + 1 < runs.size(); ++i) pitches.push_back(runs[i].first - runs[i - 1].first);
  std::nth_element(pitches.begin(), pitches.begin() + pitches.size() / 2, pitches.end());
  const int pitch = pitches[pitches.size() / 2];
  EXPECT_GE(pitch, 9);
  EXPECT_LE(pitch, 12);
}

TEST(ScriptPrinterTest, PagesFollowTheTextAndTheChosenRange) {
  QTemporaryDir dir;
  const std::string text = NumberedLines(300);
  const QFont font = FixedPitchFont(10);
  const QString all = dir.filePath(QStringLiteral("all.pdf"));
  int pages = 0;
  {
    QPdfWriter pdf(all);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pages = PaintScriptPages(pdf, text, font, 4, QStringLiteral("/tmp/script.pl"));
  }
  EXPECT_GE(pages, 3);
  EXPECT_EQ(PagesInPdf(all), pages);

  const QString part = dir.filePath(QStringLiteral("part.pdf"));
  {
    QPdfWriter pdf(part);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    EXPECT_EQ(PaintScriptPages(pdf, text, font, 4, QStringLiteral("x"), 2, 3), pages);
  }
  EXPECT_EQ(PagesInPdf(part), 2);

  // A longer line wraps instead of running off the page: more rows, never fewer pages.
  const std::string wide = std::string(400, 'x') + "\r\n" + text;
  QPdfWriter pdf(dir.filePath(QStringLiteral("wide.pdf")));
  pdf.setPageSize(QPageSize(QPageSize::A4));
  EXPECT_GE(PaintScriptPages(pdf, wide, font, 4, QStringLiteral("x")), pages);
}

TEST(ScriptPrinterTest, PreviewOpensOnThePageOfTheSelectionAndThePrintDialogStopsAtTheLast) {
  EditControl view;
  view.SetEditorFont(FixedPitchFont(10));
  const std::string text = NumberedLines(400);
  view.SetText(text);
  const std::size_t near = text.find("line 400");
  view.SetSel(near, near);
  SharedPrinter().setPageSize(QPageSize(QPageSize::A4));
  int current = 0, count = 0;
  QTimer::singleShot(200, [&] {
    auto* dlg = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    auto* preview = dlg->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(preview, nullptr);
    current = preview->currentPage();
    count = preview->pageCount();
    dlg->reject();
  });
  PreviewScript(nullptr, view, QStringLiteral("/tmp/script.pl"));
  ASSERT_GE(count, 3);
  EXPECT_EQ(current, count);  // the last line is on the last page

  int maxPage = 0;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    maxPage = dlg->maxPage();
    dlg->reject();
  });
  PrintScript(nullptr, view, QStringLiteral("/tmp/script.pl"));
  EXPECT_EQ(maxPage, count);
}
