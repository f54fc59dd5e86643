// Where the Window menu's arrangement commands put the document windows, as plain rectangles.
#pragma once

#include <vector>

namespace corvella {

struct WindowRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const WindowRect&) const = default;
};

// `count` windows one above the other, each the area's full width; the
// heights share the area's height, the first ones taking a pixel more when
// it does not divide evenly.
std::vector<WindowRect> StackedRects(int areaWidth, int areaHeight, int count);

// `count` windows side by side, each the area's full height.
std::vector<WindowRect> ColumnRects(int areaWidth, int areaHeight, int count);

// Minimised windows of the given sizes in a row along the bottom of the area
// from the left, starting a new row above when the next does not fit.
struct IconSize {
  int width = 0, height = 0;
};
std::vector<WindowRect> IconRowRects(int areaWidth, int areaHeight, const std::vector<IconSize>& icons);

}  // namespace corvella
