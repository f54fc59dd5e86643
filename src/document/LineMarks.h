// A set of marked lines (breakpoints, the execution line) that moves with the text as it is edited.
#pragma once

#include <cstddef>
#include <vector>

#include "document/EditBuffer.h"

namespace corvella {

// Zero-based line numbers, kept sorted and unique. TextChanged moves them
// with their lines' text:
// - a mark above the edited lines stays, one below them moves by the lines
//   inserted less the lines removed;
// - a mark on the first line of the edit stays on it when the edit begins
//   inside the line (so when lines are joined onto it, or it is split);
//   when the edit begins at the line's start, the mark follows the line's
//   text down past any lines inserted before it, unless the edit deleted the
//   whole line with its line break: then the mark goes;
// - a mark on a line strictly inside a multi-line deletion goes;
// - a mark on the last line of a multi-line deletion goes when the line's
//   start was deleted (its remaining tail is joined onto the edit's first
//   line); when the deletion ended right at its start (a line break removed
//   before it, e.g. Delete at the end of the line above), the line is joined
//   whole onto the edit's first line and the mark goes with it;
// - a whole new text (a reload) keeps the marks whose line still exists.
class LineMarks {
 public:
  bool Has(std::size_t line) const;
  // Sets the mark if it is off, clears it if it is on; returns the new state.
  bool Toggle(std::size_t line);
  void Set(std::size_t line, bool on);
  void Clear() { m_lines.clear(); }
  const std::vector<std::size_t>& Lines() const { return m_lines; }
  bool Empty() const { return m_lines.empty(); }

  void TextChanged(const EditBuffer::TextChange& change);

  friend bool operator==(const LineMarks&, const LineMarks&) = default;

 private:
  std::vector<std::size_t> m_lines;
};

}  // namespace corvella
