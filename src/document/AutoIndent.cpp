// Automatic indentation of the script view: the indentation a new line gets after Enter, and when a typed "}" moves back.
#include "document/AutoIndent.h"

#include "document/SjisChar.h"

namespace corvella {
namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

// The C runtime's white space; none of these bytes can be a trail byte, so
// trimming bytewise never splits a character.
bool IsWhite(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Characters after which the next line keeps the indentation: the statement
// or block is complete, or the line is a continuation already.
bool KeepsIndent(std::string_view lastChar) {
  if (lastChar.size() != 1) return false;
  switch (lastChar[0]) {
    case ';': case '>': case '}': case ')': case '\t': case ' ': case '/': case ',':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string IndentAfterEnter(std::string_view prefix, bool comment) {
  prefix = prefix.substr(0, kIndentPrefixLimit);
  if (prefix.empty()) return {};

  std::string indent;
  int blanks = 0;
  for (std::size_t i = 0; i < prefix.size() && IsBlankOrTab(prefix[i]); ++i) {
    if (prefix[i] == '\t') {
      indent.append(static_cast<std::size_t>(blanks), ' ');
      blanks = 0;
      indent += '\t';
    } else if (++blanks == 4) {
      indent += '\t';
      blanks = 0;
    }
  }
  indent.append(static_cast<std::size_t>(blanks), ' ');

  if (comment) return indent;
  // Code starting at column 0: trailing blanks do not end the statement.
  if (!IsBlankOrTab(prefix.front())) {
    while (!prefix.empty() && IsWhite(prefix.back())) prefix.remove_suffix(1);
    if (prefix.empty()) return indent;  // control characters only: nothing to continue
  }
  const std::size_t last = SjisCharStart(prefix, prefix.size() - 1);
  if (!KeepsIndent(prefix.substr(last))) indent.insert(indent.begin(), '\t');
  return indent;
}

std::optional<std::size_t> BraceOutdentStart(std::string_view lineToCaret, bool afterEnter, bool selectionEmpty) {
  if (!afterEnter || !selectionEmpty || lineToCaret.empty() || lineToCaret.back() != '}') return std::nullopt;
  const std::size_t brace = lineToCaret.size() - 1;
  if (brace == 0) return std::nullopt;  // the brace is the line's first character
  return SjisCharStart(lineToCaret, brace - 1);
}

}  // namespace corvella
