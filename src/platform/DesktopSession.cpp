// Who and where the program runs: the user and graphical session that later starts must find the running program in.
#include "platform/DesktopSession.h"

#include <cstdlib>
#include <iterator>
#include <optional>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileNames.h"
#include "platform/PathParts.h"

namespace corvella {
namespace {

std::string_view Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string_view(value) : std::string_view();
}

bool IsFolder(std::string_view path) {
  struct stat st {};
  return !path.empty() && ::stat(std::string(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string InstanceSocketPath(std::string_view runtimeDir, std::string_view tempFolder, unsigned userId,
                               std::string_view display) {
  std::string name = "corvella";
  if (runtimeDir.empty()) name += "-" + std::to_string(userId);
  name += "-";
  // Only characters that are safe in a file name; ":0.0" becomes "_0.0".
  for (char c : display.empty() ? std::string_view("nodisplay") : display) {
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
                       c == '-';
    name += plain ? c : '_';
  }
  return JoinPath(runtimeDir.empty() ? tempFolder : runtimeDir, name);
}

std::string InstanceSocketPath() {
  const std::string_view runtime = Env("XDG_RUNTIME_DIR");
  const std::string_view wayland = Env("WAYLAND_DISPLAY");
  return InstanceSocketPath(IsFolder(runtime) ? runtime : std::string_view(), TempFolder(),
                            static_cast<unsigned>(::getuid()), wayland.empty() ? Env("DISPLAY") : wayland);
}

void WithLocaleEnvironment(const char* locale, const std::function<void()>& read) {
  const char* const names[] = {"LC_ALL", "LC_NUMERIC", "LC_TIME", "LC_MONETARY", "LC_MESSAGES",
                               "LC_MEASUREMENT", "LC_COLLATE", "LANG", "LANGUAGE"};
  std::vector<std::optional<std::string>> saved;
  for (const char* name : names) {
    const char* value = std::getenv(name);
    saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
  }
  ::setenv("LC_ALL", locale, 1);
  read();
  for (std::size_t i = 0; i < std::size(names); ++i) {
    if (saved[i]) ::setenv(names[i], saved[i]->c_str(), 1);
    else ::unsetenv(names[i]);
  }
}

}  // namespace corvella
