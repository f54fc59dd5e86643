// Checkpoints in long lines: a character boundary every few KB and its cell.
#include "document/LineCellIndex.h"

#include <algorithm>

namespace corvella {

void LineCellIndex::TextChanged(const EditBuffer::TextChange& change) {
  if (change.wholeText) {
    Clear();
    return;
  }
  const std::size_t edited = change.start - change.firstLineStart;  // in line `change.line`
  std::erase_if(m_lines, [&](Line& l) {
    if (l.line > change.line + change.linesRemoved) {
      l.line = l.line + change.linesInserted - change.linesRemoved;
      return false;
    }
    if (l.line != change.line) return l.line > change.line;
    // The width stays as it was: the scroll range only ever widens, and a
    // new width would cost a scan of the rest of the line per key.
    std::erase_if(l.points, [&](const Point& p) { return p.offset > edited; });
    return false;
  });
}

LineCellIndex::Line& LineCellIndex::Find(std::size_t line) {
  auto it = std::find_if(m_lines.begin(), m_lines.end(), [&](const Line& l) { return l.line == line; });
  if (it == m_lines.end()) {
    if (m_lines.size() < kLines) {
      it = m_lines.insert(m_lines.end(), Line{});
    } else {
      it = std::min_element(m_lines.begin(), m_lines.end(), [](const Line& a, const Line& b) { return a.used < b.used; });
    }
    *it = Line{line, {Point{}}, -1, 0};
  }
  it->used = ++m_clock;
  return *it;
}

template <class More>
void LineCellIndex::Extend(const EditBuffer& buffer, const LineLayout& layout, Line& entry, More more) {
  const std::size_t start = buffer.LineIndex(entry.line);
  const std::size_t length = buffer.LineLength(entry.line);
  while (entry.points.back().offset + kStep < length && more(entry.points.back())) {
    Point p = entry.points.back();
    // One byte more than the step: a double-byte character may straddle it.
    const std::size_t end = std::min(length, p.offset + kStep + 1);
    m_chunk = buffer.GetText(start + p.offset, start + end);
    p.offset += layout.Walk(m_chunk, kStep, p.cell);
    entry.points.push_back(p);
  }
}

LineCellIndex::Point LineCellIndex::AtOffset(const EditBuffer& buffer, const LineLayout& layout, std::size_t line,
                                             std::size_t offset) {
  Line& entry = Find(line);
  Extend(buffer, layout, entry, [&](const Point& last) { return last.offset + kStep <= offset; });
  const auto after = std::upper_bound(entry.points.begin(), entry.points.end(), offset,
                                      [](std::size_t o, const Point& p) { return o < p.offset; });
  return *(after - 1);
}

LineCellIndex::Point LineCellIndex::AtCell(const EditBuffer& buffer, const LineLayout& layout, std::size_t line,
                                           int cell) {
  Line& entry = Find(line);
  Extend(buffer, layout, entry, [&](const Point& last) { return last.cell <= cell; });
  const auto after =
      std::upper_bound(entry.points.begin(), entry.points.end(), cell, [](int c, const Point& p) { return c < p.cell; });
  return after == entry.points.begin() ? entry.points.front() : *(after - 1);
}

int LineCellIndex::Width(const EditBuffer& buffer, const LineLayout& layout, std::size_t line) {
  Line& entry = Find(line);
  if (entry.width < 0) {
    Extend(buffer, layout, entry, [](const Point&) { return true; });
    const Point last = entry.points.back();
    const std::size_t start = buffer.LineIndex(line);
    m_chunk = buffer.GetText(start + last.offset, start + buffer.LineLength(line));
    entry.width = layout.CellOf(m_chunk, m_chunk.size(), last.cell);
  }
  return entry.width;
}

}  // namespace corvella
