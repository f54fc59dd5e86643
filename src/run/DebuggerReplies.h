// What Perl's own debugger says over its socket, read into replies (the text before each prompt) and the facts in them: where it stopped, the call stack, dumps of values, the end of the program.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

// Cuts the debugger's byte stream at its prompts ("  DB<12> ", "  DB<<3>> "
// inside a nested evaluation). Terminal highlighting the debugger adds is
// dropped. Bytes come in any pieces; a prompt cut between two pieces is
// still found.
class DebuggerReplyReader {
 public:
  // The replies completed by `bytes`, oldest first.
  std::vector<std::string> Feed(std::string_view bytes);
  // Bytes received that no prompt has ended yet.
  const std::string& Pending() const { return m_pending; }

 private:
  std::string m_pending;
};

struct DebuggerPosition {
  std::string sub;   // "main::", "main::foo", "Foo::Bar::baz"
  std::string file;  // as Perl names it: relative, absolute, or "(eval 12)[x.pl:3]"
  long line = 0;
  bool operator==(const DebuggerPosition&) const = default;
};

// The first "sub(file:line):" line of a reply: where the program stopped.
std::optional<DebuggerPosition> ParseDebuggerPosition(std::string_view reply);

// The reply the debugger gives once the program has ended (it then waits
// for "q").
bool IsProgramEnd(std::string_view reply);

// One line of the "T" reply: `call` (with its arguments, their bytes as they
// are) was made from `file` line `line`. The debugger's own frame is left out.
struct DebuggerFrame {
  std::string call;
  std::string file;
  long line = 0;
  bool operator==(const DebuggerFrame&) const = default;
};
std::vector<DebuggerFrame> ParseDebuggerStack(std::string_view reply);

// A line of an "x" or "y" dump with its nesting level (three blanks a level),
// so that a long dump can be folded by level.
struct DumpRow {
  int depth = 0;
  std::string text;
  bool operator==(const DumpRow&) const = default;
};
std::vector<DumpRow> ParseDump(std::string_view reply);

// `bytes` as a Perl single-quoted string: whatever a name holds, the line
// sent stays one line of data, never code.
std::string PerlQuoted(std::string_view bytes);

}  // namespace corvella
