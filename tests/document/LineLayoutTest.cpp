// A line in the cell grid: cells of tabs and double-byte characters, and the pieces a line is drawn in.
#include "document/LineLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvella;

namespace {

// "a", TAB, "b", あ (82 A0), "c" with tab stops every 4 cells: a 0, TAB 1-3, b 4, あ 5-6, c 7.
TEST(LineLayout, CellsAndColumns) {
  const LineLayout layout(4);
  const std::string line = "a\tb\x82\xA0" "c";
  EXPECT_EQ(layout.CellOf(line, 1), 1);
  EXPECT_EQ(layout.CellOf(line, 2), 4);
  EXPECT_EQ(layout.CellOf(line, 4), 7);  // inside あ: the boundary after it
  EXPECT_EQ(layout.CellOf(line, 99), 8);
  EXPECT_EQ(layout.OffsetAt(line, 2.4), 1u);  // nearer to the tab's start
  EXPECT_EQ(layout.OffsetAt(line, 2.6), 2u);
  EXPECT_EQ(layout.OffsetAt(line, 5.9), 3u);
  EXPECT_EQ(layout.OffsetAt(line, 6.1), 5u);
  EXPECT_EQ(layout.OffsetAt(line, 40), line.size());
  EXPECT_EQ(LineLayout(0).TabWidth(), 1);
  EXPECT_EQ(LineLayout(99).TabWidth(), 32);
}

// `my $x<TAB>"表"<01>` with "$x" selected: 表 (95 5C) carries a mark.
TEST(LineLayout, PiecesSplitAtClassesSelectionTabsAndControlBytes) {
  const LineLayout layout(8);
  const std::string line = "my $x\t\"\x95\x5C\"\x01";
  const std::vector<TextRun> runs = {{0, 2, LexClass::kKeyword},
                                     {2, 3, LexClass::kText},
                                     {6, 4, LexClass::kString},
                                     {7, 2, LexClass::kMark},
                                     {10, 1, LexClass::kText}};
  std::vector<TextRun> pieces;
  EXPECT_EQ(layout.LayOut(line, runs, 3, 5, 100, pieces), 13);
  const std::vector<TextRun> expected = {
      {0, 2, LexClass::kKeyword, 0, 2, false}, {2, 1, LexClass::kText, 2, 1, false},
      {3, 2, LexClass::kText, 3, 2, true},     {5, 1, LexClass::kText, 5, 3, false},
      {6, 4, LexClass::kString, 8, 4, false},  {10, 1, LexClass::kText, 12, 1, false},
      {7, 2, LexClass::kMark, 9, 2, false},
  };
  EXPECT_EQ(pieces, expected);

  // A selected mark is not drawn over the highlight; bytes no run covers are plain.
  layout.LayOut(line, {{7, 2, LexClass::kMark}}, 8, 9, 100, pieces);
  ASSERT_EQ(pieces.size(), 6u);
  EXPECT_EQ(pieces[2].cls, LexClass::kText);
  EXPECT_TRUE(pieces.back().selected);

  // Laying out ends after the first piece that starts past the stop cell.
  const std::vector<TextRun> strings = {{1, 1, LexClass::kString}, {3, 5, LexClass::kString}};
  EXPECT_EQ(layout.LayOut("abcdefgh", strings, 0, 0, 100, pieces), 8);
  EXPECT_EQ(pieces.back().length, 5u);
  EXPECT_EQ(layout.LayOut("abcdefgh", strings, 0, 0, 2, pieces), 4);
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces.back().length, 1u);
}

// The pre-edit's cells open a gap: what follows moves right, a tab after it ends on the next stop.
TEST(LineLayout, GapPushesTheRestOfTheLineRight) {
  const LineLayout layout(4);
  std::vector<TextRun> pieces;
  EXPECT_EQ(layout.LayOut("a\tb", {}, 0, 0, 100, pieces, 1, 4), 9);
  const std::vector<TextRun> expected = {
      {0, 1, LexClass::kText, 0, 1, false}, {1, 1, LexClass::kText, 5, 3, false}, {2, 1, LexClass::kText, 8, 1, false}};
  EXPECT_EQ(pieces, expected);
  // At the end of the line the gap only widens it.
  EXPECT_EQ(layout.LayOut("ab", {}, 0, 0, 100, pieces, 2, 3), 5);
  EXPECT_EQ(pieces, (std::vector<TextRun>{{0, 2, LexClass::kText, 0, 2, false}}));
}

// A gap standing in for bytes (a selection being reconverted): they are neither laid out nor marked.
TEST(LineLayout, GapTakesThePlaceOfTheBytesItStandsFor) {
  const LineLayout layout(4);
  std::vector<TextRun> pieces;
  // "a", 表 (95 5C, marked), TAB, "b" with tab stops every 4 cells; 表 selected and stood in for by two cells.
  EXPECT_EQ(layout.LayOut("a\x95\x5C\tb", {{1, 2, LexClass::kMark}}, 1, 3, 100, pieces, 1, 2, 2), 5);
  const std::vector<TextRun> expected = {
      {0, 1, LexClass::kText, 0, 1, false}, {3, 1, LexClass::kText, 3, 1, false}, {4, 1, LexClass::kText, 4, 1, false}};
  EXPECT_EQ(pieces, expected);
  // Up to the end of the line.
  EXPECT_EQ(layout.LayOut("abc", {}, 1, 3, 100, pieces, 1, 2, 2), 3);
  EXPECT_EQ(pieces, (std::vector<TextRun>{{0, 1, LexClass::kText, 0, 1, false}}));
}

}  // namespace
