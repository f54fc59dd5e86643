// The command line of a start: the options the program knows, then the files it is to open.
#pragma once

#include <string>
#include <vector>

namespace corvella {

class StartArguments {
 public:
  // `arguments` without the program's own name. "--startup-time" is the one
  // option; "--" ends the options, so that everything after it is a file
  // (a file named "--startup-time" too). Anything else is a file.
  explicit StartArguments(const std::vector<std::string>& arguments);

  bool TimeStartup() const { return m_timeStartup; }
  const std::vector<std::string>& Files() const { return m_files; }

 private:
  bool m_timeStartup = false;
  std::vector<std::string> m_files;
};

}  // namespace corvella
