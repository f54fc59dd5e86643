// Fuzzes what the runner reads from outside: command lines split by the Windows rules, the hint file, Perl's location lines and a child's output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/HintList.h"
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

  // Output grows by CR before LF at most. Whether a read is UTF-8 is decided
  // per read, so only text without bytes above 7F must read the same cut
  // anywhere as in one piece.
  corvella::RunOutputDecoder whole, cut;
  std::string a = whole.Feed(text);
  a += whole.Finish();
  const std::size_t half = size == 0 ? 0 : data[0] % (size + 1);
  std::string b = cut.Feed(text.substr(0, half));
  b += cut.Feed(text.substr(half));
  b += cut.Finish();
  if (a.size() > 2 * size || b.size() > 2 * size) std::abort();
  bool ascii = true;
  for (std::size_t i = 0; i < size; ++i) ascii = ascii && data[i] < 0x80;
  if (ascii && a != b) std::abort();
  return 0;
}
