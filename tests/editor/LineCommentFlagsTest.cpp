// The per-line comment flags a view keeps for auto indent.
#include "editor/LineCommentFlags.h"

#include <gtest/gtest.h>

using namespace corvella;

namespace {

TEST(LineCommentFlags, EntryZeroIsZeroAndEmptyLinesCopyTheLineAbove) {
  LineCommentFlags f;
  EXPECT_EQ(f.size(), 1u);
  f.Resize(4);
  f.SetLine(0, true);
  f.SetEmptyLine(1);
  f.SetLine(2, false);
  f.SetEmptyLine(3);
  EXPECT_EQ(f.At(0), 0);
  EXPECT_EQ(f.At(1), 1);
  EXPECT_EQ(f.At(2), 1);  // empty line 1 copies line 0
  EXPECT_EQ(f.At(3), 0);
  EXPECT_EQ(f.At(4), 0);
  f.SetLine(3, true);
  EXPECT_EQ(f.At(99), 1);  // past the end: the last entry
  f.SetLine(9, true);      // a line past the table grows it
  EXPECT_EQ(f.size(), 11u);
  EXPECT_EQ(f.At(9), 0);
  f.Resize(1);
  EXPECT_EQ(f.size(), 2u);
  f.Reset();
  EXPECT_EQ(f.size(), 1u);
  EXPECT_EQ(f.At(5), 0);
}

}  // namespace
