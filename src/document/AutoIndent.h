// Automatic indentation of the script view: the indentation a new line gets after Enter, and when a typed "}" moves back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvella {

// Bytes of the line before the selection start that the indentation looks at.
inline constexpr std::size_t kIndentPrefixLimit = 254;

// The indentation to insert after Enter, given the text of the line from its
// first character up to the selection start (cut to kIndentPrefixLimit bytes
// here) and whether that line held a comment when it was last coloured.
// The leading blanks and tabs are kept, every four blanks becoming a tab;
// code that leaves a statement or block open adds one tab.
std::string IndentAfterEnter(std::string_view prefix, bool comment);

// A "}" typed right after Enter moves back by one indentation character.
// `lineToCaret` is the caret's line up to the caret, the brace being its last
// byte. Answers where the two characters to replace by "}" begin (an offset
// in the line), or nothing when the brace stays.
std::optional<std::size_t> BraceOutdentStart(std::string_view lineToCaret, bool afterEnter, bool selectionEmpty);

}  // namespace corvella
