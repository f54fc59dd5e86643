// libFuzzer target: the Perl colouring tokenizer over arbitrary bytes, one line at a time, with its run invariants.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "document/PerlLexer.h"

using namespace corvella;

namespace {

// Runs lie inside the line, in order, never over a tab; a mark sits on the
// two bytes just painted, the second of which is 5C.
bool RunsAreSound(std::string_view line, std::size_t lineStart, const std::vector<TextRun>& runs) {
  std::size_t end = lineStart;
  for (const TextRun& r : runs) {
    if (r.length == 0 || r.start < lineStart || r.start + r.length > lineStart + line.size()) return false;
    if (r.cls == LexClass::kMark) {
      if (r.length != 2 || r.start + 2 != end || line[r.start + 1 - lineStart] != '\x5C') return false;
      continue;
    }
    if (r.start < end) return false;
    if (line.substr(r.start - lineStart, r.length).find('\t') != std::string_view::npos) return false;
    end = r.start + r.length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  PerlLexer lexer;
  std::vector<TextRun> runs;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    lexer.SetStress(true);
    const bool comment = lexer.LexLine(line, start, runs);
    if (!RunsAreSound(line, start, runs)) __builtin_trap();
    lexer.SetStress(false);
    if (lexer.LexLine(line, start, runs) != comment || !runs.empty()) __builtin_trap();
    start = end + 1;
  }
  return 0;
}
