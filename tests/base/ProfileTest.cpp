// The in-memory settings store and the integer reading shared by every store.
#include "base/Profile.h"

#include <gtest/gtest.h>

using namespace corvella;

namespace {

TEST(ParseProfileInt, AcceptsOnlyWholeNumbers) {
  EXPECT_EQ(ParseProfileInt("12"), 12);
  EXPECT_EQ(ParseProfileInt(" -7 "), -7);
  EXPECT_EQ(ParseProfileInt("+3"), 3);
  EXPECT_EQ(ParseProfileInt(""), std::nullopt);
  EXPECT_EQ(ParseProfileInt("1x"), std::nullopt);
  EXPECT_EQ(ParseProfileInt("FF0000"), std::nullopt);
  EXPECT_EQ(ParseProfileInt("99999999999"), std::nullopt);
}

TEST(MemoryProfile, ReadsWhatWasWrittenAndForgetsDeletedSections) {
  MemoryProfile p;
  EXPECT_EQ(p.GetProfileInt("Settings", "TabWidth", 4), 4);
  p.WriteProfileInt("Settings", "TabWidth", 8);
  p.WriteProfileString("Settings", "Perl", "/usr/bin");
  p.WriteProfileString("Other", "x", "y");
  EXPECT_EQ(p.GetProfileInt("Settings", "TabWidth", 4), 8);
  EXPECT_EQ(p.GetProfileString("Settings", "Perl"), "/usr/bin");
  EXPECT_EQ(p.GetProfileInt("Settings", "Perl", 5), 5);
  p.DeleteSection("Settings");
  EXPECT_EQ(p.GetProfileString("Settings", "Perl", "none"), "none");
  EXPECT_EQ(p.GetProfileString("Other", "x"), "y");
}

}  // namespace
