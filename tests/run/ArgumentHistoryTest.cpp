// The argument history: moving to the front without duplicates, five entries at most, and its profile form.
#include "run/ArgumentHistory.h"

#include <gtest/gtest.h>

#include "base/Profile.h"

using namespace corvella;

namespace {
using Strings = std::vector<std::string>;
}

TEST(ArgumentHistoryTest, ConfirmedTextsMoveToTheFrontAndTheOldestDropsOut) {
  ArgumentHistory h;
  EXPECT_TRUE(h.Shown().empty());
  h.Add("");  // an empty text is not remembered
  EXPECT_TRUE(h.Shown().empty());
  for (const char* args : {"a", "b", "c", "d", "e"}) h.Add(args);
  EXPECT_EQ(h.Shown(), (Strings{"e", "d", "c", "b", "a"}));
  h.Add("c");  // already there: moved, not repeated
  EXPECT_EQ(h.Shown(), (Strings{"c", "e", "d", "b", "a"}));
  h.Add("f");
  EXPECT_EQ(h.Shown(), (Strings{"f", "c", "e", "d", "b"}));
  h.Add("B");  // letter case makes a different entry
  EXPECT_EQ(h.Shown(), (Strings{"B", "f", "c", "e", "d"}));
  h.Add("d");  // the last entry: it is the one that drops out, so no duplicate either
  EXPECT_EQ(h.Shown(), (Strings{"d", "B", "f", "c", "e"}));
  h.Add("d");
  EXPECT_EQ(h.Shown(), (Strings{"d", "B", "f", "c", "e"}));
}

TEST(ArgumentHistoryTest, ProfileHoldsOnlyTheNonEmptyEntries) {
  MemoryProfile profile;
  profile.WriteProfileString("Parameter List", "param1", "-v 日本");
  profile.WriteProfileString("Parameter List", "param3", "after a gap");
  profile.WriteProfileString("Parameter List", "param6", "ignored");
  ArgumentHistory h;
  h.Load(profile);
  EXPECT_EQ(h.Entries()[2], "after a gap");
  EXPECT_EQ(h.Shown(), (Strings{"-v 日本"}));  // the list ends at the first unused entry
  h.Add("x");
  h.Save(profile);
  EXPECT_EQ(profile.GetProfileString("Parameter List", "param1"), "x");
  EXPECT_EQ(profile.GetProfileString("Parameter List", "param2"), "-v 日本");
  EXPECT_FALSE(profile.Read("Parameter List", "param3"));
  EXPECT_EQ(profile.GetProfileString("Parameter List", "param4"), "after a gap");
  EXPECT_FALSE(profile.Read("Parameter List", "param6"));
}
