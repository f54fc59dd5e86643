// The text of a freedesktop desktop entry: keys in the order given, values escaped as the key-file format wants.
#include "system/DesktopEntry.h"

namespace corvella {
namespace {

// The characters that make an Exec argument need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// A string value: the backslash escapes of the key-file format, so that a
// value keeps its backslashes and control characters and fits on one line.
std::string EscapeValue(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case ' ':
        // Leading blanks would be taken for the space around '='.
        out += i == 0 ? "\\s" : " ";
        break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string ExecArgument(std::string_view argument) {
  const bool quote = argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
  std::string out;
  if (quote) out += '"';
  for (const char c : argument) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    if (c == '%') out += '%';
    out += c;
  }
  if (quote) out += '"';
  return out;
}

void DesktopEntry::Set(std::string_view key, std::string_view value) { m_entries.emplace_back(key, value); }

std::string DesktopEntry::Text() const {
  std::string text = "[Desktop Entry]\n";
  for (const auto& [key, value] : m_entries) text += key + "=" + EscapeValue(value) + "\n";
  return text;
}

}  // namespace corvella
