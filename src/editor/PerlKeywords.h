// The Perl keyword and built-in function list shared by the colouring and the HTML export.
#pragma once

#include <span>
#include <string_view>

namespace corvella {

// The 211 words, in the order the syntax view lists them.
std::span<const std::string_view> PerlKeywords();

// Exact, case-sensitive membership; equivalent to a linear search of PerlKeywords().
bool IsPerlKeyword(std::string_view word);

}  // namespace corvella
