// The Perl word a caret stands on: a name with its package parts, a variable with its sigil (punctuation variables too), a file test or an operator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvella {

// The word of `line` (Shift_JIS bytes, no line end) at byte `caret`: the one
// the caret is inside or just after. A name or variable wins over an operator
// that touches it. An element of an array or hash (`$ARGV[0]`, `$ENV{HOME}`)
// names the aggregate (`@ARGV`, `%ENV`). Empty when the caret touches none.
std::string PerlWordAt(std::string_view line, std::size_t caret);

}  // namespace corvella
