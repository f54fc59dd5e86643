// File-name helpers shared by documents, runs, templates and system integration.
#include "platform/FileNames.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace corvella {
namespace {

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string ExecutableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return GetFolderPart(exe.string());
}

std::string UserDataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.local/share";
  } else {
    base = TempFolder();
  }
  return WithSeparator(base) + "Corvella/";
}

// The files shipped beside the program; a per-user folder starts with copies.
void SeedFrom(const std::string& shipped, const std::string& target) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(target, ec);
  for (const char* name : {"hint.txt", "plumo.html", "template", "macro"}) {
    const fs::path from = fs::path(shipped) / name;
    const fs::path to = fs::path(target) / name;
    if (!fs::exists(from, ec) || fs::exists(to, ec)) continue;
    fs::copy(from, to, fs::copy_options::recursive, ec);
  }
}

// Where the shipped files are: beside the program in a build or an unpacked
// copy, in share/corvella beside bin once installed.
std::string ShippedFolder(const std::string& exe) {
  if (exe.empty() || FileExists(exe + "hint.txt")) return exe;
  const std::string installed = exe + "../share/corvella/";
  return FileExists(installed + "hint.txt") ? installed : exe;
}

std::string ComputeProgramFolder() {
  const std::string exe = ExecutableFolder();
  const std::string shipped = ShippedFolder(exe);
  if (!exe.empty() && shipped == exe && access(exe.c_str(), W_OK) == 0) return exe;
  const std::string data = UserDataFolder();
  if (!shipped.empty()) SeedFrom(shipped, data);
  return data;
}

}  // namespace

const std::string& ProgramFolder() {
  static const std::string folder = ComputeProgramFolder();
  return folder;
}

std::string GetProgramFilePath(std::string_view name) { return JoinPath(ProgramFolder(), name); }

std::string StateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  std::string base;
  if (state && *state) base = state;
  else if (const char* home = std::getenv("HOME"); home && *home) base = std::string(home) + "/.local/state";
  else base = TempFolder();
  return WithSeparator(base) + "Corvella/";
}

std::string TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return WithSeparator(tmp && *tmp ? tmp : "/tmp");
}

std::string GetTempCopyPath(std::string_view path) {
  return TempFolder() + GetFileTitlePart(path) + "_$";
}

bool FileExists(const std::string& path) {
  struct stat st;
  return !path.empty() && lstat(path.c_str(), &st) == 0;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st;
  if (path.empty() || stat(path.c_str(), &st) != 0) return false;
  // The owner's write bit is the file's own read-only mark; for anybody
  // else (and never for root, whom access() always lets through) the
  // question is whether this user may write.
  if (st.st_uid == geteuid()) return (st.st_mode & S_IWUSR) == 0;
  return access(path.c_str(), W_OK) != 0;
}

void ClearReadOnly(const std::string& path) {
  struct stat st;
  if (path.empty() || stat(path.c_str(), &st) != 0) return;
  chmod(path.c_str(), st.st_mode | S_IWUSR);
}

std::optional<std::string> ExpandLongPath(const std::string& path) {
  if (path.empty()) return std::nullopt;
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) == nullptr) return std::nullopt;
  return std::string(resolved);
}

std::string PathForOpening(const std::string& path) {
  if (path.size() >= 2 && path[0] == '/' && path[1] == '/') return path;
  if (auto expanded = ExpandLongPath(path)) return *expanded;
  return path;
}

std::string ResolvePerlFolder(const std::string& stored) {
  if (stored.empty() || stored.front() != '/') return {};
  std::error_code ec;
  const auto canonical = std::filesystem::canonical(stored, ec);
  if (ec || !std::filesystem::is_directory(canonical, ec)) return {};
  const auto runnable = [&canonical](const char* name) {
    const std::string path = (canonical / name).string();
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
  };
  if (!runnable("perl") && !runnable("jperl")) return {};
  return canonical.string();
}

std::string PerlFolderOnPath(std::string_view searchPath) {
  while (!searchPath.empty()) {
    const std::size_t colon = std::min(searchPath.find(':'), searchPath.size());
    const std::string folder(searchPath.substr(0, colon));
    searchPath.remove_prefix(std::min(colon + 1, searchPath.size()));
    // Only perl itself: a folder with just jperl is no sign that Perl is installed there.
    struct stat st;
    const std::string perl = folder + "/perl";
    if (folder.empty() || folder.front() != '/' || ::stat(perl.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        ::access(perl.c_str(), X_OK) != 0) {
      continue;
    }
    if (std::string resolved = ResolvePerlFolder(folder); !resolved.empty()) return resolved;
  }
  return {};
}

void RemoveIfExists(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
}

}  // namespace corvella
