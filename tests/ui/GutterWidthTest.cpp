// The gutter of a real script view as wide as the last line's number: every digit shown at any length, clicks on the numbers still select their line, and back to its width when the text shrinks.
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "editor/EditControl.h"
#include "editor/LineNumberWnd.h"
#include "editor/MyView.h"

using namespace corvella;

namespace {

TEST(GutterWidth, FitsTheWidestNumberAndStillSelectsByClick) {
  CMyView view;
  view.resize(600, 400);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  auto* gutter = view.viewport()->findChild<CLineNumberWnd*>();
  ASSERT_NE(gutter, nullptr);
  const int narrow = gutter->NumbersWidth();

  std::string text;
  for (int i = 0; i < 1234566; ++i) text += "x\r\n";
  view.SetText(text);  // 1,234,567 lines
  QFont font(QStringLiteral("IPAGothic"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(9);
  EXPECT_GE(gutter->NumbersWidth(), QFontMetrics(font).horizontalAdvance(QStringLiteral("1234567")));
  EXPECT_GT(gutter->NumbersWidth(), narrow);
  // The text starts right of the gutter, whatever its width.
  EXPECT_GE(view.PosFromChar(0).x(), gutter->geometry().right());

  // A click on the right edge of a number at the end still selects its line.
  view.SetSel(text.size(), text.size());
  view.ScrollCaret();
  gutter->repaint();
  const int h = view.LineHeight();
  const QPoint at(gutter->MarkStripWidth() + gutter->NumbersWidth() - 2, h / 2);
  QTest::mouseClick(gutter, Qt::LeftButton, {}, at);
  const std::size_t line = view.Buffer().LineFromChar(view.Sel().Start());
  EXPECT_EQ(static_cast<long>(line), view.FirstVisibleLine());
  EXPECT_GT(line, 1'000'000u);

  view.SetText("print 1;\r\n");
  EXPECT_EQ(gutter->NumbersWidth(), narrow);
}

}  // namespace
