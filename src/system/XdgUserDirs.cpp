// The user's named folders (desktop, documents, ...) as the file "user-dirs.dirs" sets them.
#include "system/XdgUserDirs.h"

#include <algorithm>

namespace corvella {
namespace {

// The value of a line `prefix"..."`, its backslash escapes undone (the file is
// read by sh); none when the line is not of that form.
std::optional<std::string> QuotedValue(std::string_view line, std::string_view prefix) {
  if (line.substr(0, prefix.size()) != prefix) return std::nullopt;
  line.remove_prefix(prefix.size());
  if (line.size() < 2 || line.front() != '"') return std::nullopt;
  std::string value;
  for (std::size_t i = 1; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') return line.substr(i + 1).find_first_not_of(" \t\r") == std::string_view::npos
                             ? std::optional<std::string>(value)
                             : std::nullopt;
    if (c == '\\' && i + 1 < line.size()) c = line[++i];
    value += c;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> UserDirFromConfig(std::string_view text, std::string_view name, std::string_view home) {
  const std::string prefix = "XDG_" + std::string(name) + "_DIR=";
  std::optional<std::string> found;
  while (!text.empty()) {
    const auto nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    auto value = QuotedValue(line, prefix);
    if (!value) continue;
    if (value->starts_with("$HOME") && (value->size() == 5 || (*value)[5] == '/')) {
      found = std::string(home) + value->substr(5);
    } else if (value->starts_with('/')) {
      found = std::move(value);
    }
  }
  return found;
}

}  // namespace corvella
