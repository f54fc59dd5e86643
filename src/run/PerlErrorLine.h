// Where a line of Perl's messages points: "... at FILE line N." and its variants.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvella {

struct PerlErrorLocation {
  std::string file;
  long line = 0;
  bool operator==(const PerlErrorLocation&) const = default;
};

// The file and line of a message such as "... at FILE line N.",
// "... at FILE line N, <FH> line M." or 'syntax error at FILE line N, near
// "..."'. The last " at " followed by a name, " line " and a number wins, so
// that " at " inside the message itself does not count. Nothing when the line
// names no place.
std::optional<PerlErrorLocation> ParsePerlErrorLine(std::string_view text);

}  // namespace corvella
