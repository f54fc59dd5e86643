// One line in the fixed-pitch cell grid: the cells of its characters and the pieces it is drawn in.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "document/TextRun.h"

namespace corvella {

// A single-byte character takes one cell, a double-byte character two, and a
// TAB runs on to the next tab stop. Offsets are byte offsets in the line.
class LineLayout {
 public:
  explicit LineLayout(int tabWidth = 8) { SetTabWidth(tabWidth); }

  void SetTabWidth(int characters);  // clamped to 1 .. 32
  int TabWidth() const { return m_tabWidth; }

  // `bytes` may be a part of a line starting at a character boundary whose
  // cell is `startCell` (tabs then stop where they do in the whole line);
  // cells are always the line's.

  // Cells before the first character boundary at or after `offset`.
  int CellOf(std::string_view bytes, std::size_t offset, int startCell = 0) const;
  // Steps over characters from the start of `bytes` to the first boundary at
  // or after `offset`, adding their cells to `cell`; answers that boundary.
  std::size_t Walk(std::string_view bytes, std::size_t offset, int& cell) const;
  // The character boundary whose cell edge is nearest to `column`.
  std::size_t OffsetAt(std::string_view bytes, double column, int startCell = 0) const;

  // Bytes below 20 other than TAB, drawn as boxes.
  static bool IsControlByte(unsigned char c) { return c < 0x20 && c != '\t'; }

  // Cuts the line into the pieces drawn with one call each: a piece holds
  // bytes of one class (the class of `runs` covering its first byte, plain
  // text where none does) and one selection state, and a TAB or a control
  // byte is a piece of its own. `runs` are the tokenizer's, in line
  // offsets; their marks come last in `pieces`, each with the cell of the
  // character it marks. Selection is [selStart, selEnd). Laying out stops
  // after a piece that starts beyond `stopCell` (the rest is out of sight).
  // `gapCells` empty cells are laid out before the byte at `gapAt` (the
  // input method's pre-edit): what follows moves right, tabs after it
  // included. The gap stands in for the `gapLength` bytes at `gapAt` (a
  // selection the pre-edit is to replace): they are not laid out. Answers
  // the cell reached.
  int LayOut(std::string_view bytes, const std::vector<TextRun>& runs, std::size_t selStart, std::size_t selEnd,
             int stopCell, std::vector<TextRun>& pieces, std::size_t gapAt = std::string_view::npos,
             int gapCells = 0, std::size_t gapLength = 0, int startCell = 0) const;

  // Cells a character takes when it is not yet text (the pre-edit): one for
  // ASCII and half-width katakana, two for the rest.
  static int CellsOfChar(char32_t ch) { return ch < 0x80 || (ch >= 0xFF61 && ch <= 0xFF9F) ? 1 : 2; }

 private:
  int CellsOf(std::string_view bytes, std::size_t i, std::size_t next, int cell) const;

  int m_tabWidth = 8;
};

}  // namespace corvella
