// One line in the fixed-pitch cell grid: the cells of its characters and the pieces it is drawn in.
#include "document/LineLayout.h"

#include <algorithm>

#include "document/SjisChar.h"

namespace corvella {

void LineLayout::SetTabWidth(int characters) { m_tabWidth = std::clamp(characters, 1, 32); }

int LineLayout::CellsOf(std::string_view bytes, std::size_t i, std::size_t next, int cell) const {
  if (bytes[i] == '\t') return m_tabWidth - cell % m_tabWidth;
  return next - i == 2 ? 2 : 1;
}

int LineLayout::CellOf(std::string_view bytes, std::size_t offset, int startCell) const {
  Walk(bytes, offset, startCell);
  return startCell;
}

std::size_t LineLayout::Walk(std::string_view bytes, std::size_t offset, int& cell) const {
  const std::size_t stop = std::min(offset, bytes.size());
  std::size_t i = 0;
  while (i < stop) {
    const std::size_t next = SjisCharEnd(bytes, i);
    cell += CellsOf(bytes, i, next, cell);
    i = next;
  }
  return i;
}

std::size_t LineLayout::OffsetAt(std::string_view bytes, double column, int startCell) const {
  int cell = startCell;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t next = SjisCharEnd(bytes, i);
    const int width = CellsOf(bytes, i, next, cell);
    if (column < cell + width / 2.0) return i;
    cell += width;
    i = next;
  }
  return bytes.size();
}

int LineLayout::LayOut(std::string_view bytes, const std::vector<TextRun>& runs, std::size_t selStart,
                       std::size_t selEnd, int stopCell, std::vector<TextRun>& pieces, std::size_t gapAt,
                       int gapCells, std::size_t gapLength, int startCell) const {
  pieces.clear();
  std::vector<TextRun> marks;
  std::size_t run = 0;   // the first run that may still cover a byte
  std::size_t mark = 0;  // the first run not yet looked at for marks
  auto classAt = [&](std::size_t i) {
    while (run < runs.size() && (runs[run].cls == LexClass::kMark || runs[run].start + runs[run].length <= i)) ++run;
    return run < runs.size() && runs[run].start <= i ? runs[run].cls : LexClass::kText;
  };
  auto special = [](char c) { return c == '\t' || IsControlByte(static_cast<unsigned char>(c)); };

  std::size_t segStart = 0;
  int segCell = startCell;
  LexClass segClass = LexClass::kText;
  int cell = startCell;
  auto flush = [&](std::size_t end) {
    if (end <= segStart) return;
    const bool selected = segStart >= selStart && segStart < selEnd;
    pieces.push_back({segStart, end - segStart, segClass, segCell, cell - segCell, selected});
    segStart = end;
    segCell = cell;
  };

  // Answers where laying out goes on: after the bytes the gap stands in for.
  auto openGap = [&](std::size_t at) {
    if (at != gapAt) return at;
    flush(at);
    cell += gapCells;
    segCell = cell;
    const std::size_t end = std::min(bytes.size(), at + gapLength);
    while (mark < runs.size() && (runs[mark].cls != LexClass::kMark || runs[mark].start < end)) ++mark;
    segStart = end;
    return end;
  };
  std::size_t i = 0;
  while (i < bytes.size() && segCell <= stopCell) {
    i = openGap(i);
    if (i == bytes.size()) break;
    // A mark takes the cell of the first character boundary at or after it.
    for (; mark < runs.size() && (runs[mark].cls != LexClass::kMark || runs[mark].start <= i); ++mark) {
      const TextRun& m = runs[mark];
      if (m.cls == LexClass::kMark) {
        marks.push_back({m.start, m.length, m.cls, cell, 2, m.start < selEnd && m.start + m.length > selStart});
      }
    }
    const LexClass cls = classAt(i);
    const bool cut = special(bytes[i]) || special(bytes[segStart]) || cls != segClass || i == selStart || i == selEnd;
    if (i > segStart && cut) flush(i);
    if (i == segStart) segClass = cls;
    const std::size_t next = SjisCharEnd(bytes, i);
    cell += CellsOf(bytes, i, next, cell);
    i = next;
  }
  flush(i);
  if (i == bytes.size()) openGap(i);
  pieces.insert(pieces.end(), marks.begin(), marks.end());
  return cell;
}

}  // namespace corvella
