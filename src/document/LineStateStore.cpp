// The tokenizer's state at the start of every line, kept beside the buffer: dropped from an edit on, computed when asked.
#include "document/LineStateStore.h"

#include <algorithm>

namespace corvella {

// Line c.line and the lines it became are the edited ones; the state line
// c.line starts with depends only on the lines above it and stays right.
void LineStateStore::TextChanged(const EditBuffer::TextChange& c) {
  // Typing far into a long line: no state can change (NextLineState).
  if (c.LeavesLineHead(PerlLexer::kLexedPrefix + 1)) return;
  const std::size_t first = c.line + 1;
  const std::size_t oldEnd = first + c.linesRemoved;  // old states [first, oldEnd) followed edited lines
  const std::size_t newEnd = first + c.linesInserted;
  m_valid = std::min(m_valid, first);
  // The states after the edit move with their lines; those inside it are
  // overwritten before they are read.
  if (m_states.size() <= oldEnd) {
    m_states.Truncate(first);
  } else if (c.linesInserted > c.linesRemoved) {
    m_states.Insert(first, c.linesInserted - c.linesRemoved, LineState{});
  } else {
    m_states.Erase(first, c.linesRemoved - c.linesInserted);
  }
  Forget(first, oldEnd, newEnd);
}

// Adds the edit to m_edited, merging what it touches and moving what
// follows it; drops what no longer holds a guess.
void LineStateStore::Forget(std::size_t first, std::size_t oldEnd, std::size_t newEnd) {
  std::vector<Edited> edited;
  edited.reserve(m_edited.size() + 1);
  Edited edit{first, newEnd};
  bool placed = false;
  for (const Edited& r : m_edited) {
    if (r.to < first) {
      edited.push_back(r);
    } else if (r.from > oldEnd) {
      if (!placed) edited.push_back(edit);
      placed = true;
      edited.push_back({r.from - oldEnd + newEnd, r.to - oldEnd + newEnd});
    } else {
      edit.from = std::min(edit.from, r.from);
      edit.to = std::max(edit.to, r.to > oldEnd ? r.to - oldEnd + newEnd : newEnd);
    }
  }
  if (!placed) edited.push_back(edit);
  std::erase_if(edited, [this](const Edited& r) { return r.to < m_valid || r.from >= m_states.size(); });
  m_edited = std::move(edited);
}

LineState LineStateStore::At(std::size_t line) {
  line = std::min(line, m_buffer.GetLineCount());
  // Asked past the states held: room for every line at once, so that a large
  // text's states are never copied while they grow.
  if (line >= m_states.size()) m_states.Reserve(m_buffer.GetLineCount() + 1);
  while (m_valid <= line) {
    const std::size_t k = m_valid;
    const LineState next =
        m_lexer.NextLineState(m_states[k - 1], m_buffer.GetLine(k - 1, PerlLexer::kLexedPrefix + 1));
    ++m_scanned;
    if (k == m_states.size()) {
      m_states.PushBack(next);
      m_valid = k + 1;
      continue;
    }
    while (!m_edited.empty() && m_edited.front().to <= k) m_edited.erase(m_edited.begin());
    const bool inside = !m_edited.empty() && m_edited.front().from <= k;
    const bool guessRight = !inside && m_states[k] == next;
    m_states[k] = next;
    if (guessRight) {
      m_valid = m_edited.empty() ? m_states.size() : m_edited.front().from;
      continue;
    }
    // The guess after a changed state no longer follows from it: it may be
    // compared, not trusted.
    m_valid = k + 1;
    if (m_valid < m_states.size() && (m_edited.empty() || m_edited.front().from > m_valid)) {
      m_edited.insert(m_edited.begin(), Edited{m_valid, m_valid});
    }
  }
  return m_states[line];
}

}  // namespace corvella
