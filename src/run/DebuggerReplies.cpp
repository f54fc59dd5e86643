// What Perl's own debugger says over its socket, read into replies (the text before each prompt) and the facts in them: where it stopped, the call stack, dumps of values, the end of the program.
#include "run/DebuggerReplies.h"

#include <algorithm>
#include <cctype>

namespace corvella {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where a prompt ending exactly at the end of `text` begins: blanks, "DB",
// one or more '<', digits, as many '>', one blank.
std::optional<std::size_t> PromptAtEnd(std::string_view text) {
  std::size_t end = text.size();
  if (end < 6 || text[end - 1] != ' ') return std::nullopt;
  std::size_t i = end - 1;
  std::size_t closing = 0;
  while (i > 0 && text[i - 1] == '>') --i, ++closing;
  if (closing == 0) return std::nullopt;
  const std::size_t digitsEnd = i;
  while (i > 0 && IsDigit(text[i - 1])) --i;
  if (i == digitsEnd) return std::nullopt;
  std::size_t opening = 0;
  while (i > 0 && text[i - 1] == '<') --i, ++opening;
  if (opening != closing || i < 2 || text.substr(i - 2, 2) != "DB") return std::nullopt;
  i -= 2;
  // The prompt starts a line of its own, after "[pid=...]" in a process
  // the script forked.
  while (i > 0 && text[i - 1] == ' ') --i;
  if (i > 0 && text[i - 1] == ']') {
    const std::size_t open = text.rfind("[pid=", i - 1);
    if (open == std::string_view::npos || text.find('\n', open) < i) return std::nullopt;
    i = open;
  }
  if (i > 0 && text[i - 1] != '\n') return std::nullopt;
  return i;
}

// Drops ESC [ ... letter sequences.
std::string WithoutHighlighting(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\x1b' && i + 1 < text.size() && text[i + 1] == '[') {
      std::size_t j = i + 2;
      while (j < text.size() && !std::isalpha(static_cast<unsigned char>(text[j]))) ++j;
      i = j;
      continue;
    }
    out += text[i];
  }
  return out;
}

template <typename Each>
void ForEachLine(std::string_view text, Each each) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    each(line);
    start = end + 1;
  }
}

std::optional<long> Number(std::string_view digits) {
  if (digits.empty() || digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), IsDigit)) return std::nullopt;
  long n = 0;
  for (const char c : digits) n = n * 10 + (c - '0');
  return n;
}

// "sub(file:line):" at the start of a line. The file may hold ':' and
// parentheses, so the line number is the digits before the first "):"
// preceded by ":digits".
std::optional<DebuggerPosition> PositionLine(std::string_view line) {
  const std::size_t open = line.find('(');
  if (open == std::string_view::npos || open == 0) return std::nullopt;
  const std::string_view sub = line.substr(0, open);
  if (sub.find_first_of(" \t") != std::string_view::npos || sub.find("::") == std::string_view::npos) {
    return std::nullopt;
  }
  for (std::size_t close = line.find("):", open); close != std::string_view::npos; close = line.find("):", close + 1)) {
    const std::size_t colon = line.rfind(':', close);
    if (colon == std::string_view::npos || colon <= open + 1) continue;
    if (const auto n = Number(line.substr(colon + 1, close - colon - 1))) {
      return DebuggerPosition{std::string(sub), std::string(line.substr(open + 1, colon - open - 1)), *n};
    }
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> DebuggerReplyReader::Feed(std::string_view bytes) {
  std::vector<std::string> replies;
  m_pending.append(bytes);
  // A prompt is the last thing the debugger writes before it waits, so only
  // the end of what has come can be one; more may follow in the same read
  // only when commands were queued, which the caller does not do.
  if (const auto at = PromptAtEnd(m_pending)) {
    replies.push_back(WithoutHighlighting(std::string_view(m_pending).substr(0, *at)));
    m_pending.clear();
  }
  return replies;
}

std::optional<DebuggerPosition> ParseDebuggerPosition(std::string_view reply) {
  // A statement over several lines is shown with a position line for each;
  // the first is where the program stands.
  std::optional<DebuggerPosition> first;
  ForEachLine(reply, [&](std::string_view line) {
    if (!first) first = PositionLine(line);
  });
  return first;
}

bool IsProgramEnd(std::string_view reply) {
  // The second is the answer to any move once the end has been told.
  return reply.find("Debugged program terminated.") != std::string_view::npos ||
         reply.find("Use 'q' to quit or 'R' to restart.") != std::string_view::npos;
}

namespace {

// The stack shows a byte above 7F as "M-" and the byte's low seven bits,
// those below 20 as "^" and a letter; the bytes themselves are wanted to show
// Japanese arguments.
std::string WithoutMetaNotation(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == "M-" && i + 2 < text.size()) {
      if (text[i + 2] == '^' && i + 3 < text.size()) {
        out += static_cast<char>((text[i + 3] ^ 64) | 0x80);
        i += 3;
      } else {
        out += static_cast<char>(text[i + 2] | 0x80);
        i += 2;
      }
      continue;
    }
    out += text[i];
  }
  return out;
}

}  // namespace

std::vector<DebuggerFrame> ParseDebuggerStack(std::string_view reply) {
  std::vector<DebuggerFrame> frames;
  ForEachLine(reply, [&](std::string_view line) {
    // "$ = main::foo(3) called from file 'x.pl' line 5"
    static constexpr std::string_view kFrom = " called from file '";
    static constexpr std::string_view kLine = "' line ";
    const std::size_t from = line.find(kFrom);
    const std::size_t at = line.rfind(kLine);
    if (from == std::string_view::npos || at == std::string_view::npos || at < from + kFrom.size()) return;
    const auto n = Number(line.substr(at + kLine.size()));
    if (!n) return;
    std::string_view call = line.substr(0, from);
    if (call.size() >= 4 && call[1] == ' ' && call[2] == '=' && call[3] == ' ') call.remove_prefix(4);
    if (call.starts_with("DB::DB")) return;
    frames.push_back(DebuggerFrame{WithoutMetaNotation(call),
                                   std::string(line.substr(from + kFrom.size(), at - from - kFrom.size())), *n});
  });
  return frames;
}

std::vector<DumpRow> ParseDump(std::string_view reply) {
  std::vector<DumpRow> rows;
  ForEachLine(reply, [&](std::string_view line) {
    std::size_t blanks = 0;
    while (blanks < line.size() && line[blanks] == ' ') ++blanks;
    if (blanks == line.size()) return;
    rows.push_back(DumpRow{static_cast<int>(blanks / 3), std::string(line.substr(blanks))});
  });
  return rows;
}

std::string PerlQuoted(std::string_view bytes) {
  std::string out = "'";
  for (const char c : bytes) {
    if (c == '\\' || c == '\'') out += '\\';
    // A line end would end the command; no file name of ours holds one, but
    // a name must never make the debugger run what follows it.
    if (c == '\n' || c == '\r') {
      out += "'.\"\\";
      out += c == '\n' ? 'n' : 'r';
      out += "\".'";
      continue;
    }
    out += c;
  }
  return out + "'";
}

}  // namespace corvella
