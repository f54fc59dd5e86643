// Where the Window menu's arrangement commands put the document windows, as plain rectangles.
#include "app/WindowArrangement.h"

#include <algorithm>

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

}  // namespace

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
