// Lines marked with Perl's errors and warnings, each with its message, moving with the text as it is edited.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/EditBuffer.h"

namespace corvella {

// Each mark moves exactly as a LineMarks line does (and goes where such a
// line would go), so an error mark and a breakpoint on one line stay together.
class ErrorMarks {
 public:
  enum class Kind { Warning, Error };
  struct Mark {
    std::size_t line = 0;  // zero-based
    Kind kind = Kind::Warning;
    std::string message;  // several messages of one line, one per line
    bool operator==(const Mark&) const = default;
  };

  // A second message on a marked line is added under the first; the line
  // counts as an error when any of its messages is one.
  void Add(std::size_t line, Kind kind, std::string_view message);
  void Clear() { m_marks.clear(); }
  bool Empty() const { return m_marks.empty(); }
  // Sorted by line.
  const std::vector<Mark>& Marks() const { return m_marks; }
  const Mark* At(std::size_t line) const;

  // The first marked line after `line`, or before it, going round the end of
  // the text; `line` itself when it is the only one. None without marks.
  std::optional<std::size_t> Next(std::size_t line) const;
  std::optional<std::size_t> Previous(std::size_t line) const;

  void TextChanged(const EditBuffer::TextChange& change);

 private:
  std::vector<Mark> m_marks;
};

}  // namespace corvella
