// Fuzzes what the runner reads from outside: command lines split by the Windows rules, the hint file, Perl's location lines and a child's output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/HintList.h"
#include "run/PerlErrorLine.h"
#include "run/RunCommand.h"
#include "run/RunOutputDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t total = 0;
  for (const std::string& arg : corvella::SplitCommandLine(text)) total += arg.size();
  if (total > text.size()) std::abort();

  corvella::HintList hints;
  hints.Parse(text);
  (void)hints.FindHint(std::string(text.substr(0, 16)));

  if (const auto at = corvella::ParsePerlErrorLine(text)) {
    if (at->file.empty() || at->line <= 0 || at->file.size() > text.size()) std::abort();
  }

  // Cut anywhere, the output reads the same as in one piece.
  corvella::RunOutputDecoder whole, cut;
  std::string a = whole.Feed(text);
  a += whole.Finish();
  const std::size_t half = size == 0 ? 0 : data[0] % (size + 1);
  std::string b = cut.Feed(text.substr(0, half));
  b += cut.Feed(text.substr(half));
  b += cut.Finish();
  if (a != b) std::abort();
  return 0;
}
