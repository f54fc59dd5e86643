// Which lines of a view held a comment when they were last coloured (read by auto indent).
#pragma once

#include <cstddef>
#include <vector>

namespace corvella {

// Entry 0 is always 0; entry n + 1 belongs to line n (counted from 0).
class LineCommentFlags {
 public:
  LineCommentFlags() = default;

  void Reset() { m_entries.assign(1, 0); }
  // lineCount + 1 entries; entries added are 0.
  void Resize(std::size_t lineCount) { m_entries.resize(lineCount + 1, 0); }
  // Line `line` was scanned; `hasComment` is what the tokenizer answered.
  void SetLine(std::size_t line, bool hasComment);
  // An empty line is not scanned: it takes the entry of the line above.
  void SetEmptyLine(std::size_t line);
  // Past the end of the table, its last entry.
  int At(std::size_t index) const;
  std::size_t size() const { return m_entries.size(); }

 private:
  void Grow(std::size_t line);

  std::vector<int> m_entries = std::vector<int>(1, 0);
};

}  // namespace corvella
