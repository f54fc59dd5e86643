// Byte-arithmetic conversion between Shift_JIS and EUC-JP / JIS (ISO-2022-JP with half-width katakana).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvella {

// Every byte sequence converts: bytes outside the encoding go through the same
// arithmetic as valid ones, and a lead byte cut off by the end of the text is
// kept as it is. A NUL byte is data like any other; after a lead byte it is
// that pair's second byte.

// Largest output of the growing converters for an input of `n` bytes.
constexpr std::size_t SjisToEucBound(std::size_t n) { return 2 * n; }
// Each change of shift state costs an escape sequence of three bytes, so
// half-width katakana alternating with ASCII reach four bytes per input byte,
// plus the closing ESC ( B.
constexpr std::size_t SjisToJisBound(std::size_t n) { return 4 * n + 3; }

// JIS to Shift_JIS in place; returns the new length (never more than `n`).
std::size_t JisToSjis(char* text, std::size_t n);
void JisToSjis(std::string& text);

// EUC-JP to Shift_JIS in place; returns the new length (never more than `n`).
std::size_t EucToSjis(char* text, std::size_t n);
void EucToSjis(std::string& text);

// Shift_JIS to EUC-JP into `out`, which holds SjisToEucBound(in.size()) bytes
// and may not overlap `in`; returns the output length.
std::size_t SjisToEuc(std::string_view in, char* out);
void SjisToEuc(std::string& text);

// Shift_JIS to JIS into `out`, which holds SjisToJisBound(in.size()) bytes and
// may not overlap `in`; returns the output length.
std::size_t SjisToJis(std::string_view in, char* out);
void SjisToJis(std::string& text);

// JisToSjis uses AVX2 where the processor has it; false keeps it to SSE2,
// so that both paths can be compared. Returns whether AVX2 was in use.
bool UseAvx2ForKanjiConvert(bool allow);

}  // namespace corvella
