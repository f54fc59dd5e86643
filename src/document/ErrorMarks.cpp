// Lines marked with Perl's errors and warnings, each with its message, moving with the text as it is edited.
#include "document/ErrorMarks.h"

#include <algorithm>

#include "document/LineMarks.h"

namespace corvella {

void ErrorMarks::Add(std::size_t line, Kind kind, std::string_view message) {
  const auto it = std::lower_bound(m_marks.begin(), m_marks.end(), line,
                                   [](const Mark& m, std::size_t l) { return m.line < l; });
  if (it != m_marks.end() && it->line == line) {
    it->kind = std::max(it->kind, kind);
    if (it->message.find(message) == std::string::npos) {
      it->message += '\n';
      it->message += message;
    }
    return;
  }
  m_marks.insert(it, Mark{line, kind, std::string(message)});
}

const ErrorMarks::Mark* ErrorMarks::At(std::size_t line) const {
  const auto it = std::lower_bound(m_marks.begin(), m_marks.end(), line,
                                   [](const Mark& m, std::size_t l) { return m.line < l; });
  return it != m_marks.end() && it->line == line ? &*it : nullptr;
}

std::optional<std::size_t> ErrorMarks::Next(std::size_t line) const {
  if (m_marks.empty()) return std::nullopt;
  const auto it = std::upper_bound(m_marks.begin(), m_marks.end(), line,
                                   [](std::size_t l, const Mark& m) { return l < m.line; });
  return it == m_marks.end() ? m_marks.front().line : it->line;
}

std::optional<std::size_t> ErrorMarks::Previous(std::size_t line) const {
  if (m_marks.empty()) return std::nullopt;
  const auto it = std::lower_bound(m_marks.begin(), m_marks.end(), line,
                                   [](const Mark& m, std::size_t l) { return m.line < l; });
  return it == m_marks.begin() ? m_marks.back().line : std::prev(it)->line;
}

// Marks are few (one run's messages), so each is moved through a LineMarks
// of its own rather than by a second copy of the rules.
void ErrorMarks::TextChanged(const EditBuffer::TextChange& change) {
  std::vector<Mark> moved;
  moved.reserve(m_marks.size());
  for (Mark& mark : m_marks) {
    LineMarks one;
    one.Set(mark.line, true);
    one.TextChanged(change);
    if (one.Empty()) continue;
    mark.line = one.Lines().front();
    // A line joined whole onto a marked one brings its mark along.
    if (!moved.empty() && moved.back().line == mark.line) {
      moved.back().kind = std::max(moved.back().kind, mark.kind);
      moved.back().message += '\n' + mark.message;
      continue;
    }
    moved.push_back(std::move(mark));
  }
  m_marks = std::move(moved);
}

}  // namespace corvella
