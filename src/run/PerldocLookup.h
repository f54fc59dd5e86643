// Which perldoc calls document a Perl word: functions with -f, variables with -v, operators and keywords by their section of perlop, perlsyn and the like, modules and pages by name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvella {

struct PerldocCall {
  // The arguments after the program: plain text on standard output, no pager.
  std::vector<std::string> args;
  // A heading of the page to bring into view, or empty for its top.
  std::string section;

  bool operator==(const PerldocCall&) const = default;
};

// The calls to try in turn for `query` (surrounding blanks ignored) until
// one finds something; none for an empty query.
std::vector<PerldocCall> PerldocCallsFor(std::string_view query);

// The index of the first line of `text` that, without its indent, is
// `heading`; npos when there is none.
std::size_t FindHeadingLine(std::string_view text, std::string_view heading);

}  // namespace corvella
