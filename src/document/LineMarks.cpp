// A set of marked lines that moves with the text as it is edited.
#include "document/LineMarks.h"

#include <algorithm>

namespace corvella {

bool LineMarks::Has(std::size_t line) const { return std::binary_search(m_lines.begin(), m_lines.end(), line); }

bool LineMarks::Toggle(std::size_t line) {
  const bool on = !Has(line);
  Set(line, on);
  return on;
}

void LineMarks::Set(std::size_t line, bool on) {
  const auto it = std::lower_bound(m_lines.begin(), m_lines.end(), line);
  const bool has = it != m_lines.end() && *it == line;
  if (on && !has) m_lines.insert(it, line);
  if (!on && has) m_lines.erase(it);
}

void LineMarks::TextChanged(const EditBuffer::TextChange& c) {
  if (m_lines.empty()) return;
  if (c.wholeText) {
    // The new text has linesInserted + 1 lines.
    std::erase_if(m_lines, [&c](std::size_t line) { return line > c.linesInserted; });
    return;
  }
  const std::size_t first = c.line;
  const std::size_t last = c.line + c.linesRemoved;  // old lines [first, last] were edited
  const std::size_t end = c.start + c.removedLength;
  std::vector<std::size_t> moved;
  moved.reserve(m_lines.size());
  for (const std::size_t line : m_lines) {
    if (line < first) {
      moved.push_back(line);
    } else if (line > last) {
      moved.push_back(line - c.linesRemoved + c.linesInserted);
    } else if (line == first && c.start > c.firstLineStart) {
      moved.push_back(first);  // the edit begins inside the line
    } else if (line == first && c.linesRemoved == 0) {
      moved.push_back(first + c.linesInserted);  // its text follows what went in before it
    } else if (line == last && line != first && c.lastLineStart >= end) {
      moved.push_back(first + c.linesInserted);  // joined whole onto the edit's line
    }
    // Otherwise the line was deleted with its start: the mark goes.
  }
  // Joined lines may bring two marks onto one line.
  moved.erase(std::unique(moved.begin(), moved.end()), moved.end());
  m_lines = std::move(moved);
}

}  // namespace corvella
