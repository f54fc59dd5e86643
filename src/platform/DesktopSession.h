// Who and where the program runs: the user and graphical session that later starts must find the running program in.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace corvella {

// The socket path of the single-instance channel, one per user and display:
// in $XDG_RUNTIME_DIR when it is set (private to the user), otherwise in the
// temporary folder with the user id in the name. The display is
// $WAYLAND_DISPLAY, else $DISPLAY, so that a start on another display (or a
// nested or remote session) opens its own window instead of handing its
// files to a program the user cannot see.
std::string InstanceSocketPath();

// The same from given values, for callers that know them.
std::string InstanceSocketPath(std::string_view runtimeDir, std::string_view tempFolder, unsigned userId,
                               std::string_view display);

// Runs `read` with the locale variables of the environment naming `locale`
// and puts them back as they were: for reading the session locale once
// under another name without handing that name to child processes. Only
// before any thread starts.
void WithLocaleEnvironment(const char* locale, const std::function<void()>& read);

}  // namespace corvella
