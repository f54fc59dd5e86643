// The text of a freedesktop desktop entry: keys in the order given, values escaped as the key-file format wants.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvella {

// One argument of an Exec line: in double quotes when it holds a blank or
// another character the launcher would take apart, with the characters that
// stay special inside quotes escaped; every '%' doubled, as a lone one would
// start a field code. The value escaping of DesktopEntry comes on top.
std::string ExecArgument(std::string_view argument);

class DesktopEntry {
 public:
  // Adds "key=value" to the group "[Desktop Entry]"; the value as it is meant.
  void Set(std::string_view key, std::string_view value);
  // The whole file, each line ending in LF.
  std::string Text() const;

 private:
  std::vector<std::pair<std::string, std::string>> m_entries;
};

}  // namespace corvella
