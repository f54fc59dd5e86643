// Byte classes of the two Perl tokenizers: ASCII letters and digits only, the Shift_JIS double-byte state, and
// the cursor step and string-body reading they share.
#pragma once

#include <cstddef>
#include <string_view>

#include "document/SjisChar.h"

namespace corvella::perlbytes {

// Bytes of 0x80 and above are never letters, digits or name bytes.
constexpr bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool IsNameByte(unsigned char c) { return IsLetter(c) || IsDigit(c); }
// A byte of a word after its first letter ("'" is the old package separator).
constexpr bool IsWordByte(unsigned char c) { return IsNameByte(c) || c == '_' || c == '\''; }

constexpr bool IsLeadByte(unsigned char c) { return IsSjisLeadByte(c); }
constexpr bool IsTrailByte(unsigned char c) { return IsSjisTrailByte(c); }

// Where a byte stands in a run of single- and double-byte characters read
// from left to right: a lead-range byte right after a lead byte is its trail.
enum class DbcsState : unsigned char { kSingle, kLead, kTrail };

constexpr DbcsState NextDbcsState(DbcsState previous, unsigned char c) {
  if (previous == DbcsState::kLead && IsTrailByte(c)) return DbcsState::kTrail;
  return IsLeadByte(c) ? DbcsState::kLead : DbcsState::kSingle;
}

// Moves `pos` (the byte last read, -1 before the first) on to the next byte
// of `text`. At the end it sets `ended`, stays just past the last byte and
// answers false from then on.
inline bool StepOn(std::string_view text, std::ptrdiff_t& pos, bool& ended) {
  if (ended) return false;
  if (static_cast<std::size_t>(pos + 1) >= text.size()) {
    pos = static_cast<std::ptrdiff_t>(text.size());
    ended = true;
    return false;
  }
  ++pos;
  return true;
}

// The body of a string or pattern read byte by byte: bytes of double-byte
// characters are never a backslash or the delimiter, and a backslash
// escapes the byte after it.
class DelimitedBody {
 public:
  enum class Byte { kDoubleByte, kDelimiter, kOther };

  explicit DelimitedBody(unsigned char delimiter) : m_delimiter(delimiter) {}

  Byte Next(unsigned char c) {
    m_state = NextDbcsState(m_state, c);
    if (m_state != DbcsState::kSingle) {
      m_escaped = false;
      return Byte::kDoubleByte;
    }
    if (!m_escaped && c == m_delimiter) return Byte::kDelimiter;
    m_escaped = c == '\\' ? !m_escaped : false;
    return Byte::kOther;
  }

 private:
  unsigned char m_delimiter;
  bool m_escaped = false;
  DbcsState m_state = DbcsState::kSingle;
};

}  // namespace corvella::perlbytes
