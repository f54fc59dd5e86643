// Fuzzes the user's desktop files that are read: the default applications list edited in place, and user-dirs.dirs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "system/MimeAppsList.h"
#include "system/XdgUserDirs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  constexpr std::string_view kType = "application/x-perl";
  constexpr std::string_view kOurs = "plumo_file.desktop";

  // Read and written back unchanged; ours once set, not ours once taken out.
  corvella::MimeAppsList list(text);
  if (list.Text() != text) std::abort();
  list.SetDefault(kType, kOurs);
  if (list.Default(kType) != kOurs) std::abort();
  if (corvella::MimeAppsList(list.Text()).Default(kType) != kOurs) std::abort();
  list.RemoveDefault(kType, kOurs);
  if (corvella::MimeAppsList(list.Text()).Default(kType) == kOurs) std::abort();

  // A folder is absolute or inside the home folder given.
  if (const auto folder = corvella::UserDirFromConfig(text, "DESKTOP", "/home/u")) {
    if (folder->empty() || folder->front() != '/') std::abort();
  }
  return 0;
}
