// Which perldoc calls document a Perl word: functions with -f, variables with -v, operators and keywords by their section of perlop, perlsyn and the like, modules and pages by name.
#include "run/PerldocLookup.h"

#include <algorithm>
#include <array>

namespace corvella {
namespace {

// `perldoc -f` answers these only with "documented in perlop" (or perlsyn,
// perldata, perlmod), so they go to the section itself.
struct Section {
  std::string_view word, page, heading;
};

constexpr auto kSections = std::to_array<Section>({
    {"->", "perlop", "The Arrow Operator"},
    {"++", "perlop", "Auto-increment and Auto-decrement"},
    {"--", "perlop", "Auto-increment and Auto-decrement"},
    {"**", "perlop", "Exponentiation"},
    {"!", "perlop", "Symbolic Unary Operators"},
    {"~", "perlop", "Symbolic Unary Operators"},
    {"\\", "perlop", "Symbolic Unary Operators"},
    {"=~", "perlop", "Binding Operators"},
    {"!~", "perlop", "Binding Operators"},
    {"*", "perlop", "Multiplicative Operators"},
    {"/", "perlop", "Multiplicative Operators"},
    {"%", "perlop", "Multiplicative Operators"},
    {"x", "perlop", "Multiplicative Operators"},
    {"+", "perlop", "Additive Operators"},
    {"-", "perlop", "Additive Operators"},
    {".", "perlop", "Additive Operators"},
    {"<<", "perlop", "Shift Operators"},
    {">>", "perlop", "Shift Operators"},
    {"<", "perlop", "Relational Operators"},
    {">", "perlop", "Relational Operators"},
    {"<=", "perlop", "Relational Operators"},
    {">=", "perlop", "Relational Operators"},
    {"lt", "perlop", "Relational Operators"},
    {"gt", "perlop", "Relational Operators"},
    {"le", "perlop", "Relational Operators"},
    {"ge", "perlop", "Relational Operators"},
    {"==", "perlop", "Equality Operators"},
    {"!=", "perlop", "Equality Operators"},
    {"<=>", "perlop", "Equality Operators"},
    {"eq", "perlop", "Equality Operators"},
    {"ne", "perlop", "Equality Operators"},
    {"cmp", "perlop", "Equality Operators"},
    {"isa", "perlop", "Class Instance Operator"},
    {"~~", "perlop", "Smartmatch Operator"},
    {"&", "perlop", "Bitwise And"},
    {"|", "perlop", "Bitwise Or and Exclusive Or"},
    {"^", "perlop", "Bitwise Or and Exclusive Or"},
    {"&&", "perlop", "C-style Logical And"},
    {"||", "perlop", "C-style Logical Or"},
    {"//", "perlop", "Logical Defined-Or"},
    {"..", "perlop", "Range Operators"},
    {"...", "perlop", "Range Operators"},
    {"?", "perlop", "Conditional Operator"},
    {":", "perlop", "Conditional Operator"},
    {"=", "perlop", "Assignment Operators"},
    {",", "perlop", "Comma Operator"},
    {"=>", "perlop", "Comma Operator"},
    {"not", "perlop", "Logical Not"},
    {"and", "perlop", "Logical And"},
    {"or", "perlop", "Logical or and Exclusive Or"},
    {"xor", "perlop", "Logical or and Exclusive Or"},
    {"<>", "perlop", "I/O Operators"},
    {"<<>>", "perlop", "I/O Operators"},
    {"if", "perlsyn", "Compound Statements"},
    {"elsif", "perlsyn", "Compound Statements"},
    {"else", "perlsyn", "Compound Statements"},
    {"unless", "perlsyn", "Compound Statements"},
    {"while", "perlsyn", "Compound Statements"},
    {"until", "perlsyn", "Compound Statements"},
    {"for", "perlsyn", "For Loops"},
    {"foreach", "perlsyn", "Foreach Loops"},
    {"try", "perlsyn", "Try Catch Exception Handling"},
    {"catch", "perlsyn", "Try Catch Exception Handling"},
    {"finally", "perlsyn", "Try Catch Exception Handling"},
    {"__END__", "perldata", "Special Literals"},
    {"__DATA__", "perldata", "Special Literals"},
    {"BEGIN", "perlmod", "BEGIN, UNITCHECK, CHECK, INIT and END"},
    {"UNITCHECK", "perlmod", "BEGIN, UNITCHECK, CHECK, INIT and END"},
    {"CHECK", "perlmod", "BEGIN, UNITCHECK, CHECK, INIT and END"},
    {"INIT", "perlmod", "BEGIN, UNITCHECK, CHECK, INIT and END"},
    {"END", "perlmod", "BEGIN, UNITCHECK, CHECK, INIT and END"},
});

// Pod::Text (-t) rather than groff, written out whole (-T): no pager and no
// terminal codes whatever the locale or terminal.
std::vector<std::string> Args(std::initializer_list<std::string_view> rest) {
  std::vector<std::string> args{"-T", "-t"};
  for (std::string_view a : rest) args.emplace_back(a);
  return args;
}

PerldocCall Function(std::string_view name) { return {Args({"-f", name}), {}}; }
PerldocCall Page(std::string_view name) { return {Args({name}), {}}; }

std::string_view Trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsLetter(char c) { return IsLower(c) || (c >= 'A' && c <= 'Z'); }

// `+=`, `||=`, `**=` and the like, but not the comparisons.
bool IsCompoundAssignment(std::string_view op) {
  static constexpr std::array<std::string_view, 4> kNot{"==", "!=", "<=", ">="};
  return op.size() > 1 && op.back() == '=' && std::find(kNot.begin(), kNot.end(), op) == kNot.end();
}

}  // namespace

std::vector<PerldocCall> PerldocCallsFor(std::string_view query) {
  const std::string_view word = Trimmed(query);
  if (word.empty()) return {};
  if (word.size() > 1 && (word[0] == '$' || word[0] == '@' || word[0] == '%')) return {{Args({"-v", word}), {}}};
  const auto known = std::find_if(kSections.begin(), kSections.end(), [word](const Section& s) { return s.word == word; });
  if (known != kSections.end()) return {{Args({known->page}), std::string(known->heading)}};
  if (word.size() == 2 && word[0] == '-' && IsLetter(word[1])) return {Function(word)};  // -e, -d: perlfunc's -X
  if (IsCompoundAssignment(word)) return {{Args({"perlop"}), "Assignment Operators"}};
  // Modules and pages by name; built-in functions are all lower case, and no
  // function name begins with "perl" (perlsyn, perlfunc, ...).
  if (word.find("::") != std::string_view::npos || word.starts_with("perl")) return {Page(word)};
  if (IsLower(word[0])) return {Function(word), Page(word)};  // strict, warnings: pragmas
  return {Page(word), Function(word)};
}

std::size_t FindHeadingLine(std::string_view text, std::string_view heading) {
  std::size_t index = 0;
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    if (Trimmed(line) == heading) return index;
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
    ++index;
  }
  return std::string_view::npos;
}

}  // namespace corvella
