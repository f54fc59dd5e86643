// Printing a script: pages written to a PDF, page ranges, and the preview opening on the selection's page.
#include "editor/ScriptPrinter.h"

#include <QApplication>
#include <QFile>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "base/EditorFont.h"
#include "editor/EditBuffer.h"
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

}  // namespace

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

TEST(ScriptPrinterTest, PreviewOpensOnThePageOfTheSelection) {
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
}
