// The saved docking layout: round trip, and when a saved layout must be passed over.
#include "app/DockLayout.h"

#include <gtest/gtest.h>

#include "base/Profile.h"

using namespace corvella;

namespace {
bool Known(int id) { return id == 59392 || id == 131; }
}  // namespace

TEST(DockLayoutTest, RoundTripsBarsAndState) {
  MemoryProfile profile;
  EXPECT_FALSE(LoadDockLayout(profile, "Bars2005"));
  EXPECT_TRUE(IsBarStateValid(profile, "Bars2005", Known));  // nothing saved yet
  SaveDockLayout(profile, "Bars2005", {{59392, 131}, "AAAA/w=="});
  const auto layout = LoadDockLayout(profile, "Bars2005");
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->barIds, (std::vector<int>{59392, 131}));
  EXPECT_EQ(layout->state, "AAAA/w==");
  EXPECT_TRUE(IsBarStateValid(profile, "Bars2005", Known));
}

TEST(DockLayoutTest, UnknownOrUnreadableBarsMakeTheLayoutInvalid) {
  MemoryProfile profile;
  SaveDockLayout(profile, "Bars2005", {{59392, 131, 140}, "x"});
  EXPECT_FALSE(IsBarStateValid(profile, "Bars2005", Known));
  // Ids count by their low 16 bits; zero entries name no bar.
  profile.WriteProfileString("Bars2005", "Bars", "131,0,65667");
  EXPECT_TRUE(IsBarStateValid(profile, "Bars2005", Known));
  for (const char* damaged : {"131,,59392", "131;59392", "-131", "abc", "131,"}) {
    profile.WriteProfileString("Bars2005", "Bars", damaged);
    EXPECT_FALSE(IsBarStateValid(profile, "Bars2005", Known)) << damaged;
  }
  profile.WriteProfileString("Bars2005", "Bars", "");
  EXPECT_TRUE(IsBarStateValid(profile, "Bars2005", Known));
}
