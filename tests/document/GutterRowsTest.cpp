// Line-number gutter arithmetic: numbers, rows under a point, repaint decisions, line selections, mark shapes.
#include "document/GutterRows.h"

#include <algorithm>
#include <utility>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

using Sel = EditBuffer::Selection;

TEST(GutterRows, NumbersRowsAndRepaints) {
  EXPECT_EQ(GutterNumberText(0), "   1");
  EXPECT_EQ(GutterNumberText(9), "  10");
  EXPECT_EQ(GutterNumberText(9998), "9999");
  EXPECT_EQ(GutterNumberText(1234566), "1234567");  // past four places every digit stays
  // The numbers widen by a digit exactly where the last line's number gains one.
  EXPECT_EQ(GutterNumbersWidth(99'999, 6, 31), 31);
  EXPECT_EQ(GutterNumbersWidth(100'000, 6, 31), 37);
  EXPECT_EQ(GutterNumbersWidth(3'279'141, 6, 31) - GutterNumbersWidth(999'999, 6, 31), 6);
  EXPECT_EQ(GutterNumbersWidth(0, 6, 31), 31);

  EXPECT_EQ(GutterRowCount(170, 16), 11);  // the partly visible row is numbered
  EXPECT_EQ(GutterRowCount(50, 0), 51);    // never divides by zero
  EXPECT_EQ(GutterLineAt(40, 16, 100), 102);
  EXPECT_EQ(GutterLineAt(-5, 16, 100), 100);  // just above the gutter is its top row

  const GutterRepaint still = GutterRepaintFor(20, 20, 3, 21);
  EXPECT_FALSE(still.all);
  EXPECT_EQ(still.oldRow, -17);  // the caret may come from a line out of sight
  EXPECT_EQ(still.newRow, 1);
  EXPECT_TRUE(GutterRepaintFor(21, 20, 25, 26).all);
}

TEST(GutterRows, ClickAndDragSelectWholeLines) {
  EditBuffer text;
  // Byte positions: a double-byte character takes two.
  text.SetText("a\r\n\x82\xa0\x82\xa2\r\nccc");
  EXPECT_EQ(GutterClickSelection(text, 1), (Sel{3, 9}));
  EXPECT_EQ(GutterClickSelection(text, 2), (Sel{9, 12}));  // the last line runs to the end
  EXPECT_EQ(GutterClickSelection(text, 7), (Sel{9, 12}));  // below the end is the last line
  EXPECT_EQ(GutterDragSelection(text, 1, 0), (Sel{9, 0}));
  EXPECT_EQ(GutterDragSelection(text, 1, 1), (Sel{3, 9}));
  EXPECT_EQ(GutterDragSelection(text, 1, 5), (Sel{3, 12}));
  EXPECT_EQ(GutterDragSelection(text, 2, -3), (Sel{12, 0}));
  // An anchor left beyond the text after it shrank is its last line.
  EXPECT_EQ(GutterDragSelection(text, 10, 1), (Sel{12, 3}));

  text.SetText("a\r\n");
  EXPECT_EQ(GutterClickSelection(text, 1), (Sel{3, 3}));
  text.SetText("");
  EXPECT_EQ(GutterClickSelection(text, 0), (Sel{0, 0}));
}

}  // namespace

namespace corvella {
namespace {

TEST(GutterRows, MarkShapesStayInsideTheirCellAndTheStripIsOneRowWide) {
  EXPECT_EQ(GutterMarkStripWidth(17), 17);
  EXPECT_EQ(GutterMarkStripWidth(5), 12);
  for (const auto& [w, h] : {std::pair{17, 17}, std::pair{12, 30}, std::pair{30, 12}}) {
    const MarkShape s = GutterMarkShape(w, h);
    EXPECT_GE(s.circle.left, 0);
    EXPECT_GE(s.circle.top, 0);
    EXPECT_LE(s.circle.left + s.circle.size, w);
    EXPECT_LE(s.circle.top + s.circle.size, h);
    EXPECT_DOUBLE_EQ(s.circle.left * 2 + s.circle.size, w);  // centred
    for (const MarkShape::Point& p : s.arrow) {
      EXPECT_GE(p.x, s.circle.left);
      EXPECT_LE(p.x, s.circle.left + s.circle.size);
      EXPECT_GE(p.y, s.circle.top);
      EXPECT_LE(p.y, s.circle.top + s.circle.size);
    }
    EXPECT_DOUBLE_EQ(s.arrow[3].x, s.circle.left + s.circle.size);  // the tip at the right
  }
}

}  // namespace
}  // namespace corvella
