// The command line of a start: the options the program knows, then the files it is to open.
#include "app/StartArguments.h"

namespace corvella {

StartArguments::StartArguments(const std::vector<std::string>& arguments) {
  bool options = true;
  for (const std::string& argument : arguments) {
    if (options && argument == "--") {
      options = false;
    } else if (options && argument == "--startup-time") {
      m_timeStartup = true;
    } else {
      m_files.push_back(argument);
    }
  }
}

}  // namespace corvella
