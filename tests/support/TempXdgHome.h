// Test support: HOME, XDG_DATA_HOME and XDG_CONFIG_HOME in a new temporary folder while the object lives.
#pragma once

#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace corvella::test {

class TempXdgHome {
 public:
  TempXdgHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvella-xdg-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    for (std::size_t i = 0; i < kNames.size(); ++i) {
      if (const char* old = std::getenv(kNames[i])) old_[i] = old;
      const auto folder = root_ / kFolders[i];
      std::filesystem::create_directories(folder);
      ::setenv(kNames[i], folder.c_str(), 1);
    }
  }
  ~TempXdgHome() {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
      if (old_[i]) ::setenv(kNames[i], old_[i]->c_str(), 1);
      else ::unsetenv(kNames[i]);
    }
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempXdgHome(const TempXdgHome&) = delete;
  TempXdgHome& operator=(const TempXdgHome&) = delete;

  std::filesystem::path Home() const { return root_ / kFolders[0]; }
  std::filesystem::path Data() const { return root_ / kFolders[1]; }
  std::filesystem::path Config() const { return root_ / kFolders[2]; }

 private:
  static constexpr std::array kNames{"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};
  static constexpr std::array kFolders{"home", "data", "config"};
  std::filesystem::path root_;
  std::array<std::optional<std::string>, 3> old_;
};

}  // namespace corvella::test
