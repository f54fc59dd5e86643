// Window-free arithmetic of the colour pop-up: the named colours, the box and cell layout, keeping it on screen, hit tests and arrow-key moves.
#include "controls/ColorPopupGrid.h"

#include <algorithm>

namespace corvella {

const std::array<ColorTableEntry, kColorTableCount> ColorTable = {{
    {MakeColorRef(0, 0, 0), "Black"},
    {MakeColorRef(165, 42, 0), "Brown"},
    {MakeColorRef(0, 64, 64), "Dark Olive Green"},
    {MakeColorRef(0, 85, 0), "Dark Green"},
    {MakeColorRef(0, 0, 94), "Dark Teal"},
    {MakeColorRef(0, 0, 139), "Dark blue"},
    {MakeColorRef(75, 0, 130), "Indigo"},
    {MakeColorRef(40, 40, 40), "Dark grey"},
    {MakeColorRef(139, 0, 0), "Dark red"},
    {MakeColorRef(255, 104, 32), "Orange"},
    {MakeColorRef(139, 139, 0), "Dark yellow"},
    {MakeColorRef(0, 147, 0), "Green"},
    {MakeColorRef(56, 142, 142), "Teal"},
    {MakeColorRef(0, 0, 255), "Blue"},
    {MakeColorRef(123, 123, 192), "Blue-grey"},
    {MakeColorRef(102, 102, 102), "Grey - 40"},
    {MakeColorRef(255, 0, 0), "Red"},
    {MakeColorRef(255, 173, 91), "Light orange"},
    {MakeColorRef(50, 205, 50), "Lime"},
    {MakeColorRef(60, 179, 113), "Sea green"},
    {MakeColorRef(127, 255, 212), "Aqua"},
    {MakeColorRef(125, 158, 192), "Light blue"},
    {MakeColorRef(128, 0, 128), "Violet"},
    {MakeColorRef(127, 127, 127), "Grey - 50"},
    {MakeColorRef(255, 192, 203), "Pink"},
    {MakeColorRef(255, 215, 0), "Gold"},
    {MakeColorRef(255, 255, 0), "Yellow"},
    {MakeColorRef(0, 255, 0), "Bright green"},
    {MakeColorRef(64, 224, 208), "Turquoise"},
    {MakeColorRef(192, 255, 255), "Skyblue"},
    {MakeColorRef(72, 0, 72), "Plum"},
    {MakeColorRef(192, 192, 192), "Light grey"},
    {MakeColorRef(255, 228, 225), "Rose"},
    {MakeColorRef(210, 180, 140), "Tan"},
    {MakeColorRef(255, 255, 224), "Light yellow"},
    {MakeColorRef(152, 251, 152), "Pale green "},
    {MakeColorRef(175, 238, 238), "Pale turquoise"},
    {MakeColorRef(104, 131, 139), "Pale blue"},
    {MakeColorRef(230, 230, 250), "Lavender"},
    {MakeColorRef(255, 255, 255), "White"},
}};

namespace {

constexpr int kFirstCell = 0;
constexpr int kLastCell = kColorTableCount - 1;

// The colour cell at (row, column), kCellNone off the grid.
int CellAt(int row, int column) {
  if (row < 0 || column < 0 || row >= ColorPopupGrid::kRows || column >= ColorPopupGrid::kColumns) return kCellNone;
  const int index = row * ColorPopupGrid::kColumns + column;
  return index < kColorTableCount ? index : kCellNone;
}

}  // namespace

ColorPopupGrid::ColorPopupGrid(int margin, bool hasDefault, Size defaultText, bool hasCustom, Size customText)
    : margin_(margin), boxSize_(kPreferredBoxSize), hasDefault_(hasDefault), hasCustom_(hasCustom) {
  // A cell keeps at least 5 pixels of swatch inside its edges.
  if (boxSize_ - 2 * margin_ - 2 < 5) boxSize_ = 2 * margin_ + 7;

  int textWidth = 0;
  int boxHeight = 0;
  if (hasDefault_ || hasCustom_) {
    const Size d = hasDefault_ ? defaultText : Size{};
    const Size c = hasCustom_ ? customText : Size{};
    textWidth = std::max(d.width, c.width) + 2 * margin_;
    boxHeight = std::max(d.height, c.height) + 4 * margin_ + 2;
  }

  int width = 2 * margin_ + boxSize_ * kColumns;
  int height = boxSize_ * kRows + 2 * margin_;
  if (hasDefault_) {
    width = std::max(width, textWidth);
    defaultRect_ = {margin_, margin_, width - margin_, boxHeight + 2 * margin_};
    height += 2 * margin_ + defaultRect_.Height();
  }
  if (hasCustom_) {
    width = std::max(width, textWidth);
    customRect_ = {margin_, height, width - margin_, height + margin_ + boxHeight};
    height += 2 * margin_ + customRect_.Height();
  }
  window_ = {width, height};
}

ColorPopupGrid::Rect ColorPopupGrid::WindowRect(int x, int y, const Rect& screen, int pickerHeight) const {
  Rect r{x, y, x + window_.width, y + window_.height};
  auto shift = [&r](int dx, int dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  };
  if (r.right > screen.right) shift(screen.right - r.right, 0);
  if (r.left < screen.left) shift(screen.left - r.left, 0);
  if (r.bottom > screen.bottom) shift(0, -(window_.height + pickerHeight));
  return r;
}

ColorPopupGrid::Rect ColorPopupGrid::CellRect(int index) const {
  const int row = index / kColumns;
  const int column = index % kColumns;
  const int left = column * boxSize_ + margin_;
  int top = row * boxSize_ + margin_;
  if (hasDefault_) top += defaultRect_.Height() + margin_;
  return {left, top, left + boxSize_, top + boxSize_};
}

int ColorPopupGrid::HitTest(int x, int y) const {
  if (hasCustom_ && customRect_.Contains(x, y)) return kCellCustom;
  if (hasDefault_ && defaultRect_.Contains(x, y)) return kCellAutomatic;
  // Measured from the first cell's corner, so that what lights up is the
  // cell the pointer is drawn over.
  const Rect first = CellRect(0);
  const int gx = x - first.left;
  const int gy = y - first.top;
  if (gx < 0 || gy < 0) return kCellNone;
  return CellAt(gy / boxSize_, gx / boxSize_);
}

int ColorPopupGrid::Move(int hot, Arrow arrow) const {
  const bool isCell = hot >= 0 && hot < kColorTableCount;
  // No hot cell counts as row -1, column -1, which leads off the grid.
  const int row = isCell ? hot / kColumns : -1;
  const int column = isCell ? hot % kColumns : -1;
  const int afterLast = hasCustom_ ? kCellCustom : hasDefault_ ? kCellAutomatic : kFirstCell;
  const int beforeFirst = hasDefault_ ? kCellAutomatic : hasCustom_ ? kCellCustom : kLastCell;

  switch (arrow) {
    case Arrow::Down: {
      if (hot == kCellAutomatic) return kFirstCell;
      if (hot == kCellCustom) return hasDefault_ ? kCellAutomatic : kFirstCell;
      const int below = CellAt(row + 1, column);
      return below >= 0 ? below : afterLast;
    }
    case Arrow::Up: {
      if (hot == kCellAutomatic) return hasCustom_ ? kCellCustom : kLastCell;
      if (hot == kCellCustom) return kLastCell;
      const int above = CellAt(row - 1, column);
      return above >= 0 ? above : beforeFirst;
    }
    case Arrow::Right: {
      if (hot == kCellAutomatic) return kFirstCell;
      if (hot == kCellCustom) return hasDefault_ ? kCellAutomatic : kFirstCell;
      int r = row;
      int c = column + 1;
      if (c >= kColumns) {
        c = 0;
        ++r;
      }
      const int next = CellAt(r, c);
      return next >= 0 ? next : afterLast;
    }
    case Arrow::Left: {
      if (hot == kCellAutomatic) return hasCustom_ ? kCellCustom : kLastCell;
      if (hot == kCellCustom) return kLastCell;
      int r = row;
      int c = column - 1;
      if (c < 0) {
        c = kColumns - 1;
        --r;
      }
      const int previous = CellAt(r, c);
      return previous >= 0 ? previous : beforeFirst;
    }
  }
  return hot;
}

int ColorPopupGrid::ChosenIndex(ColorRef initial) const {
  if (initial == kAutomaticColor && hasDefault_) return kCellAutomatic;
  for (int i = 0; i < kColorTableCount; ++i) {
    if (ColorTable[static_cast<std::size_t>(i)].color == initial) return i;
  }
  return hasCustom_ ? kCellCustom : kCellNone;
}

ColorRef ColorPopupGrid::CellColor(int index, ColorRef initial) {
  if (index == kCellAutomatic) return kAutomaticColor;
  if (index >= 0 && index < kColorTableCount) return ColorTable[static_cast<std::size_t>(index)].color;
  return initial;
}

}  // namespace corvella
