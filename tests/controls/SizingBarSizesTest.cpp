// The sizing bar's kept sizes: where each size applies, its minimums and its profile form.
#include "controls/SizingBarSizes.h"

#include <gtest/gtest.h>

#include "base/Profile.h"

using namespace corvella;

TEST(SizingBarSizesTest, LoadRaisesToMinimumsAndKeepsMissingValues) {
  MemoryProfile profile;
  profile.WriteProfileInt("Bars2005-SCBar-131", "sizeHorzCY", 10);
  profile.WriteProfileInt("Bars2005-SCBar-131", "sizeVertCX", 150);
  profile.WriteProfileInt("Bars2005-SCBar-131", "sizeFloatCX", 5);
  profile.WriteProfileString("Bars2005-SCBar-131", "sizeFloatCY", "abc");
  SizingBarSizes sizes;
  LoadSizes(profile, "Bars2005", 131, sizes);
  EXPECT_EQ(sizes.sizeHorz, (BarSize{200, 32}));
  EXPECT_EQ(sizes.sizeVert, (BarSize{150, 200}));
  EXPECT_EQ(sizes.sizeFloat, (BarSize{37, 200}));

  sizes.sizeHorz = {640, 120};
  SaveSizes(profile, "Bars2005", 131, sizes);
  EXPECT_EQ(profile.GetProfileString("Bars2005-SCBar-131", "sizeHorzCX"), "640");
  EXPECT_EQ(profile.GetProfileString("Bars2005-SCBar-131", "sizeFloatCY"), "200");
  SizingBarSizes again;
  again.sizeHorz = {1, 1};
  LoadSizes(profile, "Bars2005", 131, again);
  EXPECT_EQ(again.sizeHorz, (BarSize{640, 120}));
  EXPECT_EQ(again.sizeFloat, (BarSize{37, 200}));
}

TEST(SizingBarSizesTest, EachPlaceKeepsItsOwnSize) {
  SizingBarSizes sizes;
  sizes.Remember(kDockBarBottom, {800, 150});
  sizes.Remember(kDockBarLeft, {90, 500});
  sizes.Remember(kDockBarFloat, {20, 10});
  EXPECT_EQ(sizes.SizeFor(kDockBarTop), (BarSize{800, 150}));
  EXPECT_EQ(sizes.SizeFor(kDockBarRight), (BarSize{90, 500}));
  // Anything that is not a dock bar counts as floating; minimums apply on the way out.
  EXPECT_EQ(sizes.SizeFor(0), (BarSize{37, 32}));
  EXPECT_EQ(sizes.sizeFloat, (BarSize{20, 10}));
  EXPECT_EQ(SizingBarSizes::MinimumFor(kDockBarLeft), (BarSize{33, 32}));
}

TEST(SizingBarSizesTest, SectionNameIsCutAt255Bytes) {
  EXPECT_EQ(SizingBarSection("Bars2005", 131), "Bars2005-SCBar-131");
  const std::string longName(300, 'x');
  EXPECT_EQ(SizingBarSection(longName, 131), std::string(255, 'x'));
  EXPECT_EQ(SizingBarSection(std::string(245, 'x'), 131).size(), 255u);
  EXPECT_EQ(SizingBarSection(std::string(246, 'x'), 131), std::string(246, 'x') + "-SCBar-13");
}
