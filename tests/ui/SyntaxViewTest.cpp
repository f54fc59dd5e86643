// The colouring view: classes drawn in their colours, comment flags kept with colouring on or off.
#include "editor/SyntaxView.h"

#include <cstdlib>

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

// Pixels close to `color` inside the cells of [start, end) of the first line
// (glyph edges are blended with the background).
int CountColour(CSyntaxView& view, std::size_t start, std::size_t end, QColor color) {
  const QImage image = view.viewport()->grab().toImage();
  const QPoint from = view.PosFromChar(start);
  const QPoint to = view.PosFromChar(end);
  int n = 0;
  for (int y = from.y(); y < from.y() + view.LineHeight(); ++y) {
    for (int x = from.x(); x < to.x(); ++x) {
      const QColor c(image.pixel(x, y));
      if (std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) + std::abs(c.blue() - color.blue()) < 90) ++n;
    }
  }
  return n;
}

TEST(SyntaxView, DrawsClassesInTheirColoursAndKeepsCommentFlags) {
  CSyntaxView view;
  view.resize(500, 200);
  SyntaxColors colors;
  colors.keyword = QColor(0, 0, 255);
  colors.comment = QColor(192, 0, 0);
  view.SetColors(colors);
  view.OnInitialUpdate("print $x # note\r\n\r\n$y = 1;");
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  EXPECT_GT(CountColour(view, 0, 5, view.Colors().keyword), 10);   // "print"
  EXPECT_EQ(CountColour(view, 6, 8, view.Colors().keyword), 0);    // "$x" is plain
  EXPECT_GT(CountColour(view, 9, 15, view.Colors().comment), 10);  // "# note"
  // Line 0 holds a comment, the empty line 1 passes it on, line 2 has none.
  EXPECT_TRUE(view.CommentAbove(1));
  EXPECT_TRUE(view.CommentAbove(2));
  EXPECT_FALSE(view.CommentAbove(3));

  view.SetStress(false);
  view.OnInitialUpdate("$z = 2;\r\nprint 1; # again");
  EXPECT_EQ(CountColour(view, 0, 5, view.Colors().keyword), 0);
  EXPECT_TRUE(view.CommentAbove(2));  // still scanned
  EXPECT_FALSE(view.CommentAbove(1));
}

TEST(SyntaxView, SelectedTextKeepsTheHighlight) {
  CSyntaxView view;
  view.resize(500, 200);
  view.OnInitialUpdate("print 1;");
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  view.SetSel(0, 5);
  EXPECT_EQ(CountColour(view, 0, 5, view.Colors().keyword), 0);
  EXPECT_GT(CountColour(view, 0, 5, view.palette().color(QPalette::HighlightedText)), 10);
}

}  // namespace
