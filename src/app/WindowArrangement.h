// Where the Window menu's arrangement commands put the document windows, and where a restored main window may go, as plain rectangles.
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

// The main window's stored rectangle (its corners, as the settings hold
// them) brought onto the screens that exist, `screens` being their available
// areas with the primary first: no larger than the screen it covers most (the
// primary when it covers none), and moved onto that screen unless a grip of
// its top edge, where the title bar is, lies on one of them.
WindowRect FitToScreens(int left, int top, int right, int bottom, const std::vector<WindowRect>& screens);

}  // namespace corvella
