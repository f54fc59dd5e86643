// Checkpoints in long lines: a character boundary every few KB and its cell, so that a view of a long line lays out
// only the part it shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/EditBuffer.h"
#include "document/LineLayout.h"

namespace corvella {

// Knows a few lines at a time, the ones last asked about. A checkpoint
// depends only on the bytes before it, so an edit in a line keeps those at or
// before the edit; the rest are found again when asked for.
class LineCellIndex {
 public:
  // Lines shorter than this are cheap to lay out whole.
  static constexpr std::size_t kLongLine = 16 * 1024;
  static constexpr std::size_t kStep = 4 * 1024;  // bytes between checkpoints

  struct Point {
    std::size_t offset = 0;  // a character boundary, from the line's start
    int cell = 0;            // the cell it stands at
  };

  // Forgets everything: another text or another tab width.
  void Clear() { m_lines.clear(); }
  // Keeps what an edit of the buffer left true.
  void TextChanged(const EditBuffer::TextChange& change);

  // The last checkpoint of `line` at or before `offset`.
  Point AtOffset(const EditBuffer& buffer, const LineLayout& layout, std::size_t line, std::size_t offset);
  // The last checkpoint of `line` whose cell is at or before `cell`.
  Point AtCell(const EditBuffer& buffer, const LineLayout& layout, std::size_t line, int cell);
  // Cells of the whole line, laid out the first time it is asked for; as it
  // was then after edits of the line.
  int Width(const EditBuffer& buffer, const LineLayout& layout, std::size_t line);

 private:
  struct Line {
    std::size_t line = 0;
    std::vector<Point> points;  // from {0, 0} on, one every kStep bytes
    int width = -1;             // cells of the whole line, once asked for
    std::uint64_t used = 0;
  };
  static constexpr std::size_t kLines = 4;

  Line& Find(std::size_t line);
  // Adds checkpoints until `more` says enough or the line ends.
  template <class More>
  void Extend(const EditBuffer& buffer, const LineLayout& layout, Line& entry, More more);

  std::vector<Line> m_lines;
  std::uint64_t m_clock = 0;
  std::string m_chunk;
};

}  // namespace corvella
