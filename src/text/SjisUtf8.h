// Conversion between UTF-8 and Shift_JIS (code page 932) that never stops and counts what it could not keep.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvella {

// A converted text and the number of characters the conversion replaced by
// "?" or changed.
struct ConvertedText {
  std::string text;
  std::size_t changed = 0;
};

// Largest outputs for an input of `n` bytes: no UTF-8 character takes more
// bytes in code page 932, and no code page 932 byte or pair more than three
// bytes of UTF-8.
constexpr std::size_t Utf8ToSjisBound(std::size_t n) { return n; }
constexpr std::size_t SjisToUtf8Bound(std::size_t n) { return 3 * n; }

// UTF-8 to Shift_JIS. Counted, each as one character: a character code page
// 932 cannot hold (written "?"), a malformed sequence (written "?" per longest
// prefix of a valid sequence), and a character that code page 932 holds only
// as another one's code, so that converting back gives that other character
// (U+301C WAVE DASH is written 81 60, which reads back as U+FF5E). `out` holds
// Utf8ToSjisBound(in.size()) bytes; returns the output length. A byte order
// mark is converted like any character; dropping it is the loader's business.
std::size_t Utf8ToSjis(std::string_view in, char* out, std::size_t* changed);
ConvertedText Utf8ToSjis(std::string_view in);

// Shift_JIS to UTF-8, no byte order mark. A byte or pair that code page 932
// does not define becomes "?" and is counted: a lead byte whose second byte is
// outside 40..7E, 80..FC (or missing) alone, an undefined pair as one
// character. `out` holds SjisToUtf8Bound(in.size()) bytes; returns the output
// length.
std::size_t SjisToUtf8(std::string_view in, char* out, std::size_t* changed);
ConvertedText SjisToUtf8(std::string_view in);

}  // namespace corvella
