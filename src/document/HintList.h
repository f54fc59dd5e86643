// The input hints for built-in functions: the hint file's entries, their lookup, and the word before the caret that is looked up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvella {

struct HintEntry {
  std::string key;   // empty when the line has no "#": such an entry never matches
  std::string hint;
};

class HintList {
 public:
  // Appends one entry per line of a hint file's bytes. A line ends at LF,
  // which is dropped; a CR before it stays part of the hint.
  void Parse(std::string_view fileBytes);
  void Clear() { m_entries.clear(); }

  // The hint of the first entry whose key equals `word` exactly (case
  // matters); empty when there is none.
  std::string FindHint(std::string_view word) const;

  const std::vector<HintEntry>& Entries() const { return m_entries; }

 private:
  std::vector<HintEntry> m_entries;
};

// One hint-file line: the key before the first "#", the hint from the second
// character after it (the first is a separator) to the end.
HintEntry ParseHintLine(std::string_view line);

// The word that ends `lineText` (the caret's line up to the selection end):
// everything after its last delimiter character. "$", "@" and "_" are no
// delimiters, so a variable keeps its sigil.
std::string_view WordBeforeCaret(std::string_view lineText);

class EditBuffer;
// WordBeforeCaret of the line of `buffer` that holds `pos`, up to `pos`, read
// from no more than kHintWindow bytes before it: typing on a long line never
// copies it. A word at least that long is no hint key and comes back empty.
std::string WordBeforeCaret(const EditBuffer& buffer, std::size_t pos);
inline constexpr std::size_t kHintWindow = 1024;

// Whether a typed character asks for a hint: an ASCII letter or a half-width
// katakana (one byte each).
bool IsHintLetter(std::string_view ch);

}  // namespace corvella
