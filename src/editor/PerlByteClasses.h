// Byte classes of the two Perl tokenizers: ASCII letters and digits only, and the Shift_JIS double-byte state.
#pragma once

#include "editor/SjisChar.h"

namespace corvella::perlbytes {

// Bytes of 0x80 and above are never letters, digits or name bytes.
constexpr bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool IsNameByte(unsigned char c) { return IsLetter(c) || IsDigit(c); }

constexpr bool IsLeadByte(unsigned char c) { return IsSjisLeadByte(c); }
constexpr bool IsTrailByte(unsigned char c) { return IsSjisTrailByte(c); }

// Where a byte stands in a run of single- and double-byte characters read
// from left to right: a lead-range byte right after a lead byte is its trail.
enum class DbcsState : unsigned char { kSingle, kLead, kTrail };

constexpr DbcsState NextDbcsState(DbcsState previous, unsigned char c) {
  if (previous == DbcsState::kLead && IsTrailByte(c)) return DbcsState::kTrail;
  return IsLeadByte(c) ? DbcsState::kLead : DbcsState::kSingle;
}

}  // namespace corvella::perlbytes
