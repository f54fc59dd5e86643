// Printing: the page's parts, wrapping rows at blanks and character boundaries, and finding the page of an offset.
#include "document/PrintLayout.h"

#include <gtest/gtest.h>

using namespace corvella;

TEST(PrintLayoutTest, PagePartsSitAroundTheShrunkBody) {
  const PageLayout l = LayoutPage({0, 0, 1001, 2000}, 40);
  EXPECT_EQ(l.body, (PrintRect{75, 100, 926, 1900}));
  EXPECT_EQ(l.header, (PrintRect{75, 60, 926, 100}));
  EXPECT_EQ(l.headerRule, 110);
  EXPECT_EQ(l.text, (PrintRect{75, 160, 926, 1840}));
  EXPECT_EQ(l.footerRule, 1890);
  EXPECT_EQ(l.footer, (PrintRect{75, 1900, 926, 1940}));
  EXPECT_EQ(PageFooterText(12), "- 12 -");
}

TEST(PrintLayoutTest, RowsBreakAfterBlanksOrAtWholeCharacters) {
  using Rows = std::vector<PrintRow>;
  EXPECT_EQ(WrapForPrint("abc def ghi", 8, 4), (Rows{{0, 8}, {8, 11}}));
  EXPECT_EQ(WrapForPrint("abcdefghij", 4, 4), (Rows{{0, 4}, {4, 8}, {8, 10}}));
  // A double-byte character that would straddle the edge goes to the next row.
  EXPECT_EQ(WrapForPrint("a\x82\xa0\x82\xa0", 4, 4), (Rows{{0, 3}, {3, 5}}));
  EXPECT_EQ(WrapForPrint("\tx", 4, 4), (Rows{{0, 1}, {1, 2}}));
  EXPECT_EQ(WrapForPrint("a\r\n\r\nb", 80, 4), (Rows{{0, 1}, {3, 3}, {5, 6}}));
  EXPECT_EQ(WrapForPrint("", 80, 4), (Rows{{0, 0}}));
  EXPECT_EQ(WrapForPrint("ab\r\n", 80, 4), (Rows{{0, 2}, {4, 4}}));
}

TEST(PrintLayoutTest, PagesStartEveryNRowsAndAnOffsetFindsItsPage) {
  const std::vector<PrintRow> rows = WrapForPrint("1\r\n2\r\n3\r\n4\r\n5", 80, 4);
  const std::vector<std::size_t> starts = PageStarts(rows, 2);
  EXPECT_EQ(starts, (std::vector<std::size_t>{0, 6, 12}));
  EXPECT_EQ(PageOfOffset(starts, 0), 1);
  EXPECT_EQ(PageOfOffset(starts, 5), 1);
  EXPECT_EQ(PageOfOffset(starts, 6), 2);
  EXPECT_EQ(PageOfOffset(starts, 13), 3);
  EXPECT_EQ(PageStarts({}, 10), (std::vector<std::size_t>{0}));
}
