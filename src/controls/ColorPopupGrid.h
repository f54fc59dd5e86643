// Window-free arithmetic of the colour pop-up: the named colours, the box and cell layout, keeping it on screen, hit tests and arrow-key moves.
#pragma once

#include <array>

#include "base/Settings.h"

namespace corvella {

struct ColorTableEntry {
  ColorRef color;
  const char* name;  // shown as the cell's tool tip
};

inline constexpr int kColorTableCount = 40;

// The palette's colours, in cell order (row = index / 10, column = index % 10).
extern const std::array<ColorTableEntry, kColorTableCount> ColorTable;

// Cells of the pop-up besides the colour cells 0..39.
inline constexpr int kCellAutomatic = -3;
inline constexpr int kCellCustom = -2;
inline constexpr int kCellNone = -1;

class ColorPopupGrid {
 public:
  // Right and bottom are exclusive.
  struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
  };

  struct Size {
    int width = 0;
    int height = 0;
  };

  enum class Arrow { Down, Up, Right, Left };

  static constexpr int kColumns = 10;
  static constexpr int kRows = (kColorTableCount + kColumns - 1) / kColumns;
  static constexpr int kPreferredBoxSize = 18;

  // `margin` is the width of a 3D edge. A box or its text size only counts
  // when the box is there; an absent box takes no room.
  ColorPopupGrid(int margin, bool hasDefault, Size defaultText, bool hasCustom, Size customText);

  int Margin() const { return margin_; }
  int BoxSize() const { return boxSize_; }
  bool HasDefault() const { return hasDefault_; }
  bool HasCustom() const { return hasCustom_; }
  // The two boxes in client coordinates; empty when the box is absent.
  const Rect& DefaultRect() const { return defaultRect_; }
  const Rect& CustomRect() const { return customRect_; }
  Size WindowSize() const { return window_; }

  // Where the pop-up goes when asked for at (x, y): moved left to end at the
  // screen's right edge, right to start at its left edge, and, when it would
  // pass the bottom, up by its own height and `pickerHeight` so that it
  // opens above the button whose bottom-left corner (x, y) is.
  Rect WindowRect(int x, int y, const Rect& screen, int pickerHeight) const;

  // Client rectangle of colour cell `index` (0..39).
  Rect CellRect(int index) const;

  // The cell under a client point: the custom box, the automatic box, a
  // colour cell, or kCellNone over the edges and gaps between them (the hot
  // cell then stays as it is).
  int HitTest(int x, int y) const;

  // The cell an arrow key moves the hot cell to. `hot` may be kCellNone.
  int Move(int hot, Arrow arrow) const;

  // The cell that shows the pop-up's starting colour.
  int ChosenIndex(ColorRef initial) const;

  // What choosing `index` yields: the automatic value, `initial` for the
  // custom box (its real colour comes from the colour dialog), or the
  // table colour.
  static ColorRef CellColor(int index, ColorRef initial);

  // An index the pop-up can make hot: anything past the table is the custom box.
  static int ClampIndex(int index) { return index >= kColorTableCount ? kCellCustom : index; }

 private:
  int margin_;
  int boxSize_;
  bool hasDefault_;
  bool hasCustom_;
  Rect defaultRect_;
  Rect customRect_;
  Size window_;
};

// 00BBGGRR from the three components.
constexpr ColorRef MakeColorRef(int red, int green, int blue) {
  return static_cast<ColorRef>(red & 0xFF) | static_cast<ColorRef>(green & 0xFF) << 8 |
         static_cast<ColorRef>(blue & 0xFF) << 16;
}

}  // namespace corvella
