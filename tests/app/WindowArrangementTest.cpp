// Where a restored main window goes when the stored rectangle does not suit the screens there are.
#include "app/WindowArrangement.h"

#include <climits>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

const std::vector<WindowRect> kTwoScreens{{0, 0, 1280, 800}, {1280, 0, 1920, 1080}};

TEST(FitToScreens, AReachableWindowStaysWhereItWas) {
  EXPECT_EQ(FitToScreens(22, 22, 822, 622, kTwoScreens), (WindowRect{22, 22, 800, 600}));
  // Partly beyond the right edge of the second screen, or across both.
  EXPECT_EQ(FitToScreens(2900, 100, 3600, 700, kTwoScreens), (WindowRect{2900, 100, 700, 600}));
  EXPECT_EQ(FitToScreens(1000, 50, 1800, 650, kTwoScreens), (WindowRect{1000, 50, 800, 600}));
}

TEST(FitToScreens, TooLargeOrUnreachableWindowsComeOntoTheScreen) {
  EXPECT_EQ(FitToScreens(-99999, -99999, 99999, 99999, kTwoScreens), (WindowRect{1280, 0, 1920, 1080}));
  EXPECT_EQ(FitToScreens(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kTwoScreens), (WindowRect{1280, 0, 1920, 1080}));
  // On a screen that is no longer there: on the primary, its size kept.
  EXPECT_EQ(FitToScreens(4000, 200, 4800, 800, kTwoScreens), (WindowRect{480, 200, 800, 600}));
  // The title bar above the top of the screen.
  EXPECT_EQ(FitToScreens(100, -300, 900, 500, kTwoScreens), (WindowRect{100, 0, 800, 800}));
}

}  // namespace
