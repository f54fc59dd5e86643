// The Perl keyword and built-in function list, and what a word is, shared by the colouring and the HTML export.
#pragma once

#include <span>
#include <string_view>

namespace corvella {

// The 211 words, in the order the syntax view lists them.
std::span<const std::string_view> PerlKeywords();

// Exact, case-sensitive membership; equivalent to a linear search of PerlKeywords().
bool IsPerlKeyword(std::string_view word);

enum class PerlWord {
  kPlain,
  kKeyword,
  kQuoteLike,         // m q qq qx: one delimited part follows
  kQuoteLikeTwoPart,  // s y tr: two parts
};

// A word and the byte after it (`next`; none when the input `ended` right
// after the word). m q qq qx s y tr open an operator only when a byte other
// than space, TAB or LF follows.
PerlWord ClassifyPerlWord(std::string_view word, bool ended, unsigned char next);

}  // namespace corvella
