// Where the desktop looks for the user's files (the XDG base folders, the desktop folder) and how its helper programs are run.
#include "system/XdgPlaces.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/ChildEnvironment.h"
#include "platform/ChildProcess.h"
#include "platform/PathParts.h"
#include "system/XdgUserDirs.h"

namespace corvella {
namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

std::string BaseFolder(const char* variable, const std::string& home, const char* fallback) {
  if (const char* value = std::getenv(variable); value && *value == '/') return value;
  return JoinPath(home, fallback);
}

}  // namespace

XdgPlaces CurrentXdgPlaces() {
  XdgPlaces places;
  places.home = HomeFolder();
  places.dataHome = BaseFolder("XDG_DATA_HOME", places.home, ".local/share");
  places.configHome = BaseFolder("XDG_CONFIG_HOME", places.home, ".config");
  return places;
}

std::string DesktopFolder(const XdgPlaces& places) {
  if (auto out = RunDesktopTool({"xdg-user-dir", "DESKTOP"}, places)) {
    while (!out->empty() && (out->back() == '\n' || out->back() == '\r')) out->pop_back();
    if (out->starts_with('/')) return *out;
  }
  const FileReadResult dirs = ReadWholeFile(JoinPath(places.configHome, "user-dirs.dirs"), 1 << 20);
  if (dirs.status == FileReadResult::Status::Ok) {
    if (auto folder = UserDirFromConfig(dirs.bytes, "DESKTOP", places.home)) return *folder;
  }
  return JoinPath(places.home, "Desktop");
}

std::optional<std::string> RunDesktopTool(const std::vector<std::string>& argv, const XdgPlaces& places,
                                          int timeoutMs) {
  ChildEnvironment environment(ChildEnvironment::Shared().Entries());
  environment.Set("HOME", places.home);
  environment.Set("XDG_DATA_HOME", places.dataHome);
  environment.Set("XDG_CONFIG_HOME", places.configHome);
  ChildProcess::Options options;
  options.argv = argv;
  options.environment = environment.Entries();
  options.err = ChildProcess::Stream::Null;
  ChildProcess child;
  if (!child.Start(options)) return std::nullopt;
  std::string out, err;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) {
      child.Terminate();
      child.Wait();
      return std::nullopt;
    }
    if (child.ReadSome(out, err, static_cast<int>(left)) == ChildProcess::Progress::Ended) break;
  }
  if (child.Wait() != 0) return std::nullopt;
  return out;
}

int MakeFolders(const std::string& path) {
  std::filesystem::path folder = std::filesystem::path(path).lexically_normal();
  if (!folder.has_filename()) folder = folder.parent_path();  // "a/b/"
  struct stat st;
  if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
  if (errno != ENOENT) return errno;
  if (const std::filesystem::path parent = folder.parent_path(); !parent.empty() && parent != folder) {
    if (const int error = MakeFolders(parent.string())) return error;
  }
  // The mode file managers give the user's folders.
  if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return errno;
  return 0;
}

}  // namespace corvella
