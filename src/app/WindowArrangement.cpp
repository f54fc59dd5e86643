// Where the Window menu's arrangement commands put the document windows, and where a restored main window may go, as plain rectangles.
#include "app/WindowArrangement.h"

#include <algorithm>
#include <climits>

namespace corvella {
namespace {

// Splits `length` into `count` parts that cover it exactly.
std::vector<std::pair<int, int>> Shares(int length, int count) {
  std::vector<std::pair<int, int>> shares;
  int at = 0;
  for (int i = 0; i < count; ++i) {
    const int size = length / count + (i < length % count ? 1 : 0);
    shares.emplace_back(at, size);
    at += size;
  }
  return shares;
}

// How much of the top edge must lie on a screen for the window to be taken
// hold of there.
constexpr long long kGripWidth = 64;
constexpr long long kGripHeight = 24;

// Stored values are whatever the settings file says: 64 bits hold any
// difference of two of them.
struct Span {
  long long x, y, width, height;
};

long long Overlap(long long a, long long aLength, long long b, long long bLength) {
  return std::max(0LL, std::min(a + aLength, b + bLength) - std::max(a, b));
}

long long CoveredArea(const Span& window, const WindowRect& screen) {
  return Overlap(window.x, window.width, screen.x, screen.width) *
         Overlap(window.y, window.height, screen.y, screen.height);
}

bool GripOn(const Span& window, const WindowRect& screen) {
  const long long needed = std::min(kGripWidth, window.width);
  return window.y >= screen.y && window.y + kGripHeight <= static_cast<long long>(screen.y) + screen.height &&
         Overlap(window.x, window.width, screen.x, screen.width) >= needed;
}

}  // namespace

WindowRect FitToScreens(int left, int top, int right, int bottom, const std::vector<WindowRect>& screens) {
  Span window{left, top, std::max(1LL, static_cast<long long>(right) - left),
              std::max(1LL, static_cast<long long>(bottom) - top)};
  if (screens.empty()) {
    return {left, top, static_cast<int>(std::min<long long>(window.width, INT_MAX)),
            static_cast<int>(std::min<long long>(window.height, INT_MAX))};
  }
  const WindowRect* home = &screens.front();
  long long most = 0;
  for (const WindowRect& screen : screens) {
    if (const long long area = CoveredArea(window, screen); area > most) {
      most = area;
      home = &screen;
    }
  }
  const long long homeWidth = std::max(1, home->width), homeHeight = std::max(1, home->height);
  window.width = std::min(window.width, homeWidth);
  window.height = std::min(window.height, homeHeight);
  const bool reachable =
      std::any_of(screens.begin(), screens.end(), [&window](const WindowRect& screen) { return GripOn(window, screen); });
  if (!reachable) {
    window.x = std::clamp<long long>(window.x, home->x, home->x + homeWidth - window.width);
    window.y = std::clamp<long long>(window.y, home->y, home->y + homeHeight - window.height);
  }
  return {static_cast<int>(window.x), static_cast<int>(window.y), static_cast<int>(window.width),
          static_cast<int>(window.height)};
}

std::vector<WindowRect> StackedRects(int areaWidth, int areaHeight, int count) {
  std::vector<WindowRect> rects;
  if (count <= 0) return rects;
  for (const auto& [y, height] : Shares(areaHeight, count)) rects.push_back({0, y, areaWidth, height});
  return rects;
}

std::vector<WindowRect> ColumnRects(int areaWidth, int areaHeight, int count) {
  std::vector<WindowRect> rects;
  if (count <= 0) return rects;
  for (const auto& [x, width] : Shares(areaWidth, count)) rects.push_back({x, 0, width, areaHeight});
  return rects;
}

std::vector<WindowRect> IconRowRects(int areaWidth, int areaHeight, const std::vector<IconSize>& icons) {
  std::vector<WindowRect> rects;
  int x = 0;
  int bottom = areaHeight;  // the bottom edge of the row being filled
  int rowHeight = 0;
  for (const IconSize& icon : icons) {
    if (x > 0 && x + icon.width > areaWidth) {
      bottom -= rowHeight;
      x = 0;
      rowHeight = 0;
    }
    rowHeight = std::max(rowHeight, icon.height);
    rects.push_back({x, bottom - icon.height, icon.width, icon.height});
    x += icon.width;
  }
  return rects;
}

}  // namespace corvella
