// The about box's build line from the compiler's date and time texts.
#include "controls/BuildStamp.h"

#include <gtest/gtest.h>

using namespace corvella;

TEST(BuildStamp, FormatsDateAndTime) {
  EXPECT_EQ(FormatBuildStamp("May 30 2012", "21:55:22"), "Build: May 30 2012 @ 21:55:22");
  // A one-digit day loses the compiler's padding.
  EXPECT_EQ(FormatBuildStamp("Dec  7 2026", "09:05:00"), "Build: Dec 7 2026 @ 09:05:00");
  // Nothing in the values is read as a format.
  EXPECT_EQ(FormatBuildStamp("%s %d", "%s"), "Build: %s %d @ %s");
  // The unknown date and time some compilers give stay visible.
  EXPECT_EQ(FormatBuildStamp("??? ?? ????", "??:??:??"), "Build: ??? ?? ???? @ ??:??:??");
}

TEST(BuildStamp, NormalisesBlanksOfTheDate) {
  EXPECT_EQ(NormaliseBuildDate("Jan  1 2000"), "Jan 1 2000");
  EXPECT_EQ(NormaliseBuildDate("  Feb 29\t 2024 "), "Feb 29 2024");
  EXPECT_EQ(NormaliseBuildDate("Mar 10 2026"), "Mar 10 2026");
  EXPECT_EQ(NormaliseBuildDate(""), "");
  EXPECT_EQ(NormaliseBuildDate("   "), "");
}
