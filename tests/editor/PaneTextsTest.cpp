// The status pane texts: line right-aligned in four places, encoding and newline names with their fallbacks.
#include "editor/PaneTexts.h"

#include <gtest/gtest.h>

using namespace corvella;

TEST(PaneTextsTest, LineIsRightAlignedInFourPlaces) {
  EXPECT_EQ(LinePaneText(3), " 行:    3");
  EXPECT_EQ(LinePaneText(1234), " 行: 1234");
  EXPECT_EQ(LinePaneText(123456), " 行: 123456");  // wider numbers are not cut
}

TEST(PaneTextsTest, EncodingAndNewlineNamesFallBackForUnknownCodes) {
  EXPECT_EQ(KanjiPaneText(0), "SJIS");
  EXPECT_EQ(KanjiPaneText(1), "EUC");
  EXPECT_EQ(KanjiPaneText(2), "JIS");
  EXPECT_EQ(KanjiPaneText(3), "UTF-8");
  EXPECT_EQ(KanjiPaneText(4), "SJIS");
  EXPECT_EQ(KanjiPaneText(-1), "SJIS");
  EXPECT_EQ(NewlinePaneText(0), "CR+LF");
  EXPECT_EQ(NewlinePaneText(1), "LF");
  EXPECT_EQ(NewlinePaneText(2), "CR");
  EXPECT_EQ(NewlinePaneText(7), "CR+LF");
}
