// Where a line of Perl's messages points: "... at FILE line N." and its variants.
#include "run/PerlErrorLine.h"

namespace corvella {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number after " line " at `at`, when what follows it ends the place:
// the end of the text, '.', ',' or a blank.
std::optional<long> LineNumberAt(std::string_view text, std::size_t at) {
  std::size_t i = at;
  long n = 0;
  while (i < text.size() && IsDigit(text[i])) {
    if (n > 100000000) return std::nullopt;
    n = n * 10 + (text[i] - '0');
    ++i;
  }
  if (i == at || n == 0) return std::nullopt;
  if (i < text.size() && text[i] != '.' && text[i] != ',' && text[i] != ' ' && text[i] != '\r' && text[i] != '\n') {
    return std::nullopt;
  }
  return n;
}

}  // namespace

std::optional<PerlErrorLocation> ParsePerlErrorLine(std::string_view text) {
  constexpr std::string_view kAt = " at ";
  constexpr std::string_view kLine = " line ";
  // Perl's messages are short; a huge line is searched at its end only.
  constexpr std::size_t kLongest = 64 * 1024;
  if (text.size() > kLongest) text = text.substr(text.size() - kLongest);
  std::size_t at = text.rfind(kAt);
  while (at != std::string_view::npos) {
    const std::size_t start = at + kAt.size();
    // The name ends at the last " line N" of the rest that is followed by a number.
    for (std::size_t l = text.find(kLine, start); l != std::string_view::npos; l = text.find(kLine, l + 1)) {
      if (l == start) continue;
      if (const auto n = LineNumberAt(text, l + kLine.size())) {
        return PerlErrorLocation{std::string(text.substr(start, l - start)), *n};
      }
    }
    if (at == 0) break;
    at = text.rfind(kAt, at - 1);
  }
  return std::nullopt;
}

}  // namespace corvella
