// Perl's messages in a run's output: which lines name a place, and whether each is an error or a warning.
#include "run/PerlMessages.h"

#include <array>

#include "run/PerlMessageCollector.h"

namespace corvella {
namespace {

// Beginnings of perldiag's non-fatal messages.
constexpr auto kWarningStarts = std::to_array<std::string_view>({
    "Use of uninitialized value",
    "Useless use of",
    "Scalar value @",
    "Name \"",
    "Argument \"",
    "Odd number of elements",
    "Possible precedence",
    "Possible attempt to",
    "Possible unintended interpolation",
    "Parentheses missing around",
    "Found = in conditional",
    "Statement unlikely to be reached",
    "Unquoted string",
    "Reversed ",
    "Misplaced _ in number",
    "Subroutine ",  // "Subroutine foo redefined"
    "Constant subroutine",
    "Deep recursion",
    "Wide character",
    "Exiting ",
    "Unsuccessful ",
    "print() on ",
    "printf() on ",
    "readline() on ",
    "say() on ",
    "Filehandle ",
    "Bareword found where operator expected",
    "Integer overflow",
    "Hexadecimal number >",
    "Illegal character in prototype",
    "Missing argument in",
    "Redundant argument in",
    "Variable \"",  // "... will not stay shared", "... masks earlier declaration"
    "\"my\" variable",
    "\"our\" variable",
    "\"state\" variable",
    "Applying pattern match",
    "Applying substitution",
    "Use of ",
    "Unrecognized escape",
    "Unknown warnings category",
    "Smartmatch is",
    "Deprecated",
    "Negative repeat count",
    "Non-string passed as bitmask",
    "splice() offset past end",
    "Attempt to free unreferenced",
});

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

// "(W misc) ", "(D deprecated) ", "(S experimental::smartmatch) ".
bool HasWarningCategory(std::string_view message) {
  if (message.size() < 4 || message[0] != '(' || message[2] != ' ') return false;
  const char level = message[1];
  return (level == 'W' || level == 'D' || level == 'S') && message.find(')') != std::string_view::npos;
}

}  // namespace

PerlMessageKind ClassifyPerlMessage(std::string_view message) {
  while (!message.empty() && (message.front() == ' ' || message.front() == '\t')) message.remove_prefix(1);
  if (HasWarningCategory(message)) return PerlMessageKind::Warning;
  for (const std::string_view start : kWarningStarts) {
    if (StartsWith(message, start)) return PerlMessageKind::Warning;
  }
  return PerlMessageKind::Error;
}

std::vector<PerlMessage> CollectPerlMessages(std::string_view output) {
  PerlMessageCollector collector;
  collector.Feed(output);
  return collector.Finish();
}

}  // namespace corvella
