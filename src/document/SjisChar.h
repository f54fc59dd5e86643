// Shift_JIS (code page 932) character boundaries: the only place that decides them (the byte classes they rest on
// are in text/SjisBytes.h).
#pragma once

#include <cstddef>
#include <string_view>

#include "text/SjisBytes.h"

namespace corvella {

// `at(i)` yields the byte at position i as unsigned char. Positions are those
// of the caller's text; only [begin, end) is ever read.

// End of the character that starts at the boundary `pos` < `end`: a lead byte
// followed by a trail byte before `end` is one character, a lead byte without
// one stands alone.
template <class ByteAt>
std::size_t SjisCharEnd(ByteAt& at, std::size_t pos, std::size_t end) {
  if (IsSjisLeadByte(at(pos)) && pos + 1 < end && IsSjisTrailByte(at(pos + 1))) return pos + 2;
  return pos + 1;
}

// The character boundary at or before `pos` (begin <= pos <= end), where
// `begin` is a boundary. Conceptually a scan forward from `begin`; it starts
// instead just after the nearest byte before `pos` that is no lead byte, since
// such a byte always ends its character, so only the run of lead-range bytes
// in front of `pos` is read.
template <class ByteAt>
std::size_t SjisCharStart(ByteAt& at, std::size_t begin, std::size_t end, std::size_t pos) {
  std::size_t from = pos;
  while (from > begin && IsSjisLeadByte(at(from - 1))) --from;
  while (from < pos) {
    const std::size_t next = SjisCharEnd(at, from, end);
    if (next > pos) break;
    from = next;
  }
  return from;
}

// The same over contiguous text whose first byte starts a character. CR and LF
// count as single-byte characters here; pairing them is the line index's job.
std::size_t SjisCharEnd(std::string_view text, std::size_t pos);
std::size_t SjisCharStart(std::string_view text, std::size_t pos);

}  // namespace corvella
