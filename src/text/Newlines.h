// Line-end normalisation: every CR, LF and CR LF becomes CR LF, and the kinds seen are reported.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/ByteBuffer.h"

namespace corvella {

// Bits of the newline flags filled by NormalizeNewlines.
inline constexpr int kNewlineSawCr = 1;
inline constexpr int kNewlineSawLf = 2;

// Newline codes held per document; also the order of every newline list.
enum NewlineCode : int { kNewlineCrLf = 0, kNewlineLf = 1, kNewlineCr = 2 };

// Length of the normalised text, without producing it.
std::size_t NormalizedLength(std::string_view text, int* flags = nullptr);

// The normalised text; the result is allocated once at its final size.
std::string NormalizeNewlines(std::string_view text, int* flags = nullptr);

// Normalises `text` where it lies, grown once to its final size and filled
// from the back; false (the text unchanged) when it cannot grow.
bool NormalizeNewlinesInPlace(ByteBuffer& text, int* flags = nullptr);

// Just past the first LF at or after `from`; the text's size when there is none.
std::size_t CutAfterLf(std::string_view text, std::size_t from);

// As NormalizeNewlinesInPlace, for a text cut at `cut` (just past an LF)
// whose pieces normalise to `firstLength` and `secondLength` bytes and
// reported `flags` between them: the pieces are filled on two threads. A
// cut at 0 fills the text in one piece.
bool NormalizeNewlinesInPlace(ByteBuffer& text, std::size_t cut, std::size_t firstLength, std::size_t secondLength,
                              int flags);

// The document's newline code after a load that reported `flags`:
// CR only gives CR, LF only gives LF, both (mixed files too) give CR LF,
// and no line end at all keeps `current`.
int NewlineCodeFromFlags(int flags, int current);

// Rewrites every CR LF as LF (newline code 1) or CR (newline code 2) in one
// left-to-right pass; any other newline code leaves the bytes as they are.
void ReplaceCrLf(std::string& bytes, int newlineCode);

}  // namespace corvella
