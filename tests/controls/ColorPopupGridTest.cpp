// Colour pop-up arithmetic: the colour table, box and cell layout, keeping on screen, hit tests, the starting cell and every arrow-key move.
#include "controls/ColorPopupGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvella;

namespace {

using Rect = ColorPopupGrid::Rect;
using Arrow = ColorPopupGrid::Arrow;

constexpr int kAuto = kCellAutomatic;
constexpr int kCustom = kCellCustom;
constexpr int kNone = kCellNone;

// Margin 2; "自動選択" 60 x 14 and "カスタマイズ ..." 80 x 14 pixels.
ColorPopupGrid Grid(bool hasDefault, bool hasCustom) {
  return ColorPopupGrid(2, hasDefault, {60, 14}, hasCustom, {80, 14});
}

}  // namespace

TEST(ColorPopupGrid, TableHoldsTheFortyNamedColoursRedInTheLowByte) {
  EXPECT_EQ(ColorTable[0].color, 0x000000u);
  EXPECT_STREQ(ColorTable[0].name, "Black");
  EXPECT_EQ(ColorTable[1].color, 0x002AA5u);  // Brown 165, 42, 0
  EXPECT_EQ(ColorTable[9].color, 0x2068FFu);  // Orange 255, 104, 32
  EXPECT_STREQ(ColorTable[14].name, "Blue-grey");
  EXPECT_EQ(ColorTable[14].color, 0xC07B7Bu);
  EXPECT_STREQ(ColorTable[15].name, "Grey - 40");
  EXPECT_EQ(std::string(ColorTable[35].name), "Pale green ");
  EXPECT_EQ(ColorTable[35].color, 0x98FB98u);
  EXPECT_STREQ(ColorTable[37].name, "Pale blue");
  EXPECT_EQ(ColorTable[37].color, 0x8B8368u);  // 104, 131, 139
  EXPECT_STREQ(ColorTable[39].name, "White");
  EXPECT_EQ(ColorTable[39].color, 0xFFFFFFu);
  // Every colour appears once and none is the automatic value, so a colour
  // names at most one cell.
  for (int i = 0; i < kColorTableCount; ++i) {
    EXPECT_NE(ColorTable[i].color, kAutomaticColor);
    for (int j = i + 1; j < kColorTableCount; ++j) EXPECT_NE(ColorTable[i].color, ColorTable[j].color) << i << " " << j;
  }
}

TEST(ColorPopupGrid, LayoutStacksAutomaticBoxGridAndCustomBox) {
  const ColorPopupGrid both = Grid(true, true);
  EXPECT_EQ(both.BoxSize(), 18);
  // Text box height: 14 + 4 x 2 + 2 = 24; the window is as wide as the grid.
  EXPECT_EQ(both.DefaultRect(), (Rect{2, 2, 182, 28}));
  EXPECT_EQ(both.CustomRect(), (Rect{2, 106, 182, 132}));
  EXPECT_EQ(both.WindowSize().width, 184);
  EXPECT_EQ(both.WindowSize().height, 136);
  EXPECT_EQ(both.CellRect(0), (Rect{2, 30, 20, 48}));
  EXPECT_EQ(both.CellRect(13), (Rect{56, 48, 74, 66}));
  EXPECT_EQ(both.CellRect(39), (Rect{164, 84, 182, 102}));

  const ColorPopupGrid bare = Grid(false, false);
  EXPECT_EQ(bare.WindowSize().width, 184);
  EXPECT_EQ(bare.WindowSize().height, 76);
  EXPECT_EQ(bare.CellRect(0), (Rect{2, 2, 20, 20}));
  EXPECT_EQ(bare.DefaultRect(), Rect{});

  const ColorPopupGrid customOnly = Grid(false, true);
  EXPECT_EQ(customOnly.CustomRect(), (Rect{2, 76, 182, 102}));
  EXPECT_EQ(customOnly.WindowSize().height, 106);
  EXPECT_EQ(customOnly.CellRect(0), (Rect{2, 2, 20, 20}));

  // A long text widens the window and its boxes; the taller text sets the box height.
  const ColorPopupGrid wide(2, true, {300, 14}, true, {80, 20});
  EXPECT_EQ(wide.WindowSize().width, 304);
  EXPECT_EQ(wide.DefaultRect(), (Rect{2, 2, 302, 34}));
  EXPECT_EQ(wide.CustomRect().right, 302);
  EXPECT_EQ(wide.CustomRect().Height(), 2 + 30);

  // Cells shrink to the swatch minimum only when the edges leave less than 5 pixels.
  EXPECT_EQ(ColorPopupGrid(5, false, {}, false, {}).BoxSize(), 18);
  EXPECT_EQ(ColorPopupGrid(6, false, {}, false, {}).BoxSize(), 19);
  EXPECT_EQ(ColorPopupGrid(8, false, {}, false, {}).BoxSize(), 23);
}

TEST(ColorPopupGrid, WindowStaysOnScreenAndOpensAboveThePickerNearTheBottom) {
  const ColorPopupGrid g = Grid(true, true);  // 184 x 136
  const Rect screen{0, 0, 800, 600};
  EXPECT_EQ(g.WindowRect(100, 100, screen, 20), (Rect{100, 100, 284, 236}));
  // Right edge: moved left just enough.
  EXPECT_EQ(g.WindowRect(700, 100, screen, 20), (Rect{616, 100, 800, 236}));
  EXPECT_EQ(g.WindowRect(616, 100, screen, 20).left, 616);
  // Left of the screen: moved to its edge.
  EXPECT_EQ(g.WindowRect(-30, 100, screen, 20).left, 0);
  // Bottom: above the button, whose bottom-left corner is the point.
  EXPECT_EQ(g.WindowRect(100, 500, screen, 20), (Rect{100, 344, 284, 480}));
  EXPECT_EQ(g.WindowRect(100, 464, screen, 20).top, 464);  // just fits
  // Both at once.
  EXPECT_EQ(g.WindowRect(790, 590, screen, 24), (Rect{616, 430, 800, 566}));
  // A screen that does not start at 0.
  const Rect second{1280, 100, 2560, 1124};
  EXPECT_EQ(g.WindowRect(1200, 200, second, 20).left, 1280);
  EXPECT_EQ(g.WindowRect(2500, 1100, second, 20), (Rect{2376, 944, 2560, 1080}));
}

TEST(ColorPopupGrid, HitTestFindsTheBoxOrCellDrawnUnderThePoint) {
  const ColorPopupGrid g = Grid(true, true);
  EXPECT_EQ(g.HitTest(90, 15), kAuto);
  EXPECT_EQ(g.HitTest(90, 120), kCustom);
  for (int i : {0, 9, 10, 35, 39}) {
    const Rect r = g.CellRect(i);
    EXPECT_EQ(g.HitTest(r.left, r.top), i);
    EXPECT_EQ(g.HitTest(r.right - 1, r.bottom - 1), i);
  }
  // Edges and gaps leave the hot cell alone.
  EXPECT_EQ(g.HitTest(0, 40), kNone);
  EXPECT_EQ(g.HitTest(90, 29), kNone);    // between the automatic box and the grid
  EXPECT_EQ(g.HitTest(90, 103), kNone);   // between the grid and the custom box
  EXPECT_EQ(g.HitTest(183, 40), kNone);   // right edge
  EXPECT_EQ(g.HitTest(90, 134), kNone);   // bottom edge
  EXPECT_EQ(g.HitTest(-5, -5), kNone);

  const ColorPopupGrid wide(2, true, {300, 14}, false, {});
  EXPECT_EQ(wide.HitTest(250, 50), kNone);  // right of the grid in a wider window
  EXPECT_EQ(wide.HitTest(250, 10), kAuto);
  const ColorPopupGrid bare = Grid(false, false);
  EXPECT_EQ(bare.HitTest(3, 3), 0);
  EXPECT_EQ(bare.HitTest(10, 60), 30);
}

TEST(ColorPopupGrid, StartingCellFollowsTheInitialColour) {
  EXPECT_EQ(Grid(true, true).ChosenIndex(kAutomaticColor), kAuto);
  EXPECT_EQ(Grid(false, true).ChosenIndex(kAutomaticColor), kCustom);
  EXPECT_EQ(Grid(false, false).ChosenIndex(kAutomaticColor), kNone);
  EXPECT_EQ(Grid(true, true).ChosenIndex(MakeColorRef(152, 251, 152)), 35);
  EXPECT_EQ(Grid(false, false).ChosenIndex(0x000000), 0);
  EXPECT_EQ(Grid(true, true).ChosenIndex(0x123456), kCustom);
  EXPECT_EQ(Grid(true, false).ChosenIndex(0x123456), kNone);

  // What each cell yields, and indices past the table standing for the custom box.
  EXPECT_EQ(ColorPopupGrid::CellColor(kAuto, 0x123456), kAutomaticColor);
  EXPECT_EQ(ColorPopupGrid::CellColor(kCustom, 0x123456), 0x123456u);
  EXPECT_EQ(ColorPopupGrid::CellColor(16, 0x123456), 0x0000FFu);
  EXPECT_EQ(ColorPopupGrid::ClampIndex(39), 39);
  EXPECT_EQ(ColorPopupGrid::ClampIndex(40), kCustom);
  EXPECT_EQ(ColorPopupGrid::ClampIndex(kAuto), kAuto);
}

TEST(ColorPopupGrid, ArrowKeysFollowTheMoveTableInEveryBoxConfiguration) {
  struct Case {
    bool hasDefault, hasCustom;
    int from;
    Arrow arrow;
    int to;
  };
  const std::vector<Case> cases = {
      // From the automatic box.
      {true, true, kAuto, Arrow::Down, 0},
      {true, false, kAuto, Arrow::Down, 0},
      {true, true, kAuto, Arrow::Up, kCustom},
      {true, false, kAuto, Arrow::Up, 39},
      {true, true, kAuto, Arrow::Right, 0},
      {true, false, kAuto, Arrow::Right, 0},
      {true, true, kAuto, Arrow::Left, kCustom},
      {true, false, kAuto, Arrow::Left, 39},
      // From the custom box.
      {true, true, kCustom, Arrow::Down, kAuto},
      {false, true, kCustom, Arrow::Down, 0},
      {true, true, kCustom, Arrow::Up, 39},
      {false, true, kCustom, Arrow::Up, 39},
      {true, true, kCustom, Arrow::Right, kAuto},
      {false, true, kCustom, Arrow::Right, 0},
      {true, true, kCustom, Arrow::Left, 39},
      {false, true, kCustom, Arrow::Left, 39},
      // Inside the grid.
      {true, true, 14, Arrow::Down, 24},
      {true, true, 14, Arrow::Up, 4},
      {true, true, 14, Arrow::Right, 15},
      {true, true, 14, Arrow::Left, 13},
      {false, false, 9, Arrow::Right, 10},   // wraps to the next row
      {false, false, 20, Arrow::Left, 19},   // wraps to the previous row
      {false, false, 29, Arrow::Down, 39},
      {false, false, 10, Arrow::Up, 0},
      // Off the bottom of the grid / past the last cell.
      {true, true, 35, Arrow::Down, kCustom},
      {true, false, 35, Arrow::Down, kAuto},
      {false, true, 30, Arrow::Down, kCustom},
      {false, false, 39, Arrow::Down, 0},
      {true, true, 39, Arrow::Right, kCustom},
      {true, false, 39, Arrow::Right, kAuto},
      {false, false, 39, Arrow::Right, 0},
      // Off the top of the grid / before the first cell.
      {true, true, 5, Arrow::Up, kAuto},
      {false, true, 5, Arrow::Up, kCustom},
      {false, false, 5, Arrow::Up, 39},
      {true, true, 0, Arrow::Left, kAuto},
      {false, true, 0, Arrow::Left, kCustom},
      {false, false, 0, Arrow::Left, 39},
      // No hot cell: row -1, column -1 is off the grid in every direction.
      {true, true, kNone, Arrow::Down, kCustom},
      {true, false, kNone, Arrow::Down, kAuto},
      {false, false, kNone, Arrow::Down, 0},
      {true, true, kNone, Arrow::Up, kAuto},
      {false, true, kNone, Arrow::Up, kCustom},
      {false, false, kNone, Arrow::Up, 39},
      {true, true, kNone, Arrow::Right, kCustom},
      {true, false, kNone, Arrow::Right, kAuto},
      {false, false, kNone, Arrow::Right, 0},
      {true, true, kNone, Arrow::Left, kAuto},
      {false, true, kNone, Arrow::Left, kCustom},
      {false, false, kNone, Arrow::Left, 39},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Grid(c.hasDefault, c.hasCustom).Move(c.from, c.arrow), c.to)
        << "default " << c.hasDefault << " custom " << c.hasCustom << " from " << c.from << " arrow "
        << static_cast<int>(c.arrow);
  }

}

TEST(ColorPopupGrid, RightAndLeftWalkOneRingThroughBothBoxes) {
  const ColorPopupGrid g = Grid(true, true);
  std::vector<int> right{kAuto};
  for (int n = 0; n < 42; ++n) right.push_back(g.Move(right.back(), Arrow::Right));
  std::vector<int> expected{kAuto};
  for (int i = 0; i < kColorTableCount; ++i) expected.push_back(i);
  expected.push_back(kCustom);
  expected.push_back(kAuto);
  EXPECT_EQ(right, expected);

  std::vector<int> left{kAuto};
  for (int n = 0; n < 42; ++n) left.push_back(g.Move(left.back(), Arrow::Left));
  EXPECT_EQ(left, std::vector<int>(expected.rbegin(), expected.rend()));

  // Down goes column by column of the first column, then round through the boxes.
  std::vector<int> down{kAuto};
  for (int n = 0; n < 6; ++n) down.push_back(g.Move(down.back(), Arrow::Down));
  EXPECT_EQ(down, (std::vector<int>{kAuto, 0, 10, 20, 30, kCustom, kAuto}));
}
