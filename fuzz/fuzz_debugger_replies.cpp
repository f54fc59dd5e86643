// Fuzzes what the editor reads from Perl's debugger: the stream cut into replies at any point, and the position, stack and dump lines in them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "run/DebuggerReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte says where to cut the rest in two reads.
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t cut = text.empty() ? 0 : data[0] % (text.size() + 1);
  corvella::DebuggerReplyReader reader;
  std::size_t total = 0;
  for (const std::string_view piece : {text.substr(0, cut), text.substr(cut)}) {
    for (const std::string& reply : reader.Feed(piece)) {
      total += reply.size();
      if (const auto at = corvella::ParseDebuggerPosition(reply)) {
        if (at->line < 0 || at->file.size() > reply.size()) std::abort();
      }
      for (const auto& frame : corvella::ParseDebuggerStack(reply)) {
        if (frame.line < 0 || frame.call.size() + frame.file.size() > reply.size()) std::abort();
      }
      for (const auto& row : corvella::ParseDump(reply)) {
        if (row.depth < 0 || row.text.empty()) std::abort();
      }
      (void)corvella::IsProgramEnd(reply);
    }
  }
  if (total + reader.Pending().size() > text.size()) std::abort();
  const std::string quoted = corvella::PerlQuoted(text);
  if (quoted.find('\n') != std::string::npos || quoted.find('\r') != std::string::npos) std::abort();
  return 0;
}
