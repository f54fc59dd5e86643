// A byte range test and the Shift_JIS (code page 932) byte classes, shared by the encoding code and the editor.
#pragma once

namespace corvella {

// lo <= c <= hi in one comparison: below lo, c - lo wraps to a large value.
constexpr bool InRange(unsigned c, unsigned lo, unsigned hi) { return c - lo <= hi - lo; }

// First bytes of code page 932's double-byte characters.
constexpr bool IsSjisLeadByte(unsigned char c) { return InRange(c, 0x81, 0x9F) || InRange(c, 0xE0, 0xFC); }

// Bytes that may follow a lead byte. NUL, CR and LF are not among them, so a
// double-byte character never swallows a terminator or half of a line break;
// every lead byte is among them.
constexpr bool IsSjisTrailByte(unsigned char c) { return InRange(c, 0x40, 0xFC) && c != 0x7F; }

}  // namespace corvella
