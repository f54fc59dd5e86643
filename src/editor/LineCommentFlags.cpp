// Which lines of a view held a comment when they were last coloured (read by auto indent).
#include "editor/LineCommentFlags.h"

namespace corvella {

void LineCommentFlags::Grow(std::size_t line) {
  if (line + 2 > m_entries.size()) m_entries.resize(line + 2, 0);
}

void LineCommentFlags::SetLine(std::size_t line, bool hasComment) {
  Grow(line);
  m_entries[line + 1] = hasComment ? 1 : 0;
}

void LineCommentFlags::SetEmptyLine(std::size_t line) {
  Grow(line);
  m_entries[line + 1] = m_entries[line];
}

int LineCommentFlags::At(std::size_t index) const {
  return index < m_entries.size() ? m_entries[index] : m_entries.back();
}

}  // namespace corvella
