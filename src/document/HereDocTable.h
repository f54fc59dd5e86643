// Heredocs as the line states see them: the introducer read after "<<", the terminator lines, and the pending lists numbered.
#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

struct HereDoc {
  std::string terminator;
  bool indented = false;  // "<<~": the terminator line may be indented
  auto operator<=>(const HereDoc&) const = default;
};

// `rest` is what follows a "<<" in code: "EOF", "\"EOF\"", "'EOF'", "~EOF",
// "\\EOF", " \"EOF\"" each open a heredoc; a digit, "$", "=", ">" or a bare
// word after blanks do not (a shift, "<<=", "<<>>").
std::optional<HereDoc> ReadHereDocIntroducer(std::string_view rest);

// Whether `line` is the terminator line of `doc`'s body.
bool EndsHereDoc(const HereDoc& doc, std::string_view line);

// The heredocs still waiting for their bodies at a line start, in order,
// stand in a line state as a number, so that states stay small and compare
// cheaply. Equal lists get equal numbers; 0 is the empty list. Numbers are
// never given back: a document meets few distinct lists. Past kMaxNumber
// lists a new one is numbered as the empty list (its bodies read as code).
class HereDocTable {
 public:
  static constexpr std::uint32_t kMaxNumber = (std::uint32_t{1} << 24) - 1;  // what a line state holds

  std::uint32_t Number(const std::vector<HereDoc>& pending);
  // The list numbered `number`; empty for 0 or an unknown number.
  const std::vector<HereDoc>& Pending(std::uint32_t number) const;
  // The number of the list after the first body of list `number` has ended.
  std::uint32_t AfterFirst(std::uint32_t number);

 private:
  std::map<std::vector<HereDoc>, std::uint32_t> m_numbers;
  std::vector<std::vector<HereDoc>> m_lists{{}};
};

}  // namespace corvella
