// Where the desktop looks for the user's files (the XDG base folders, the desktop folder) and how its helper programs are run.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvella {

struct XdgPlaces {
  std::string home;
  std::string dataHome;    // $XDG_DATA_HOME, else ~/.local/share
  std::string configHome;  // $XDG_CONFIG_HOME, else ~/.config
};

// From the environment at the time of the call; a relative XDG_* value is
// ignored, as the base-directory rules say.
XdgPlaces CurrentXdgPlaces();

// The desktop folder: what `xdg-user-dir DESKTOP` answers, else what
// user-dirs.dirs says, else ~/Desktop.
std::string DesktopFolder(const XdgPlaces& places);

// Runs a helper program found in PATH, never through a shell, with HOME and
// the XDG folders of `places`, and answers its standard output. None when it
// is missing, fails, or has not ended within `timeoutMs` (it is stopped then):
// a helper must not hang the dialog that waits for it.
std::optional<std::string> RunDesktopTool(const std::vector<std::string>& argv, const XdgPlaces& places,
                                          int timeoutMs = 20000);

// Creates the folder and its missing parents (mode 0755 less the umask);
// 0 when it is a folder afterwards, else the errno of the step that failed.
int MakeFolders(const std::string& path);

}  // namespace corvella
