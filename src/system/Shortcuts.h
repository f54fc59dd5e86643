// The program's shortcuts: on the desktop, in the applications menu and in the file manager's scripts menu.
#pragma once

#include <array>
#include <string>

#include "system/XdgPlaces.h"

namespace corvella {

enum class ShortcutPlace { Desktop, Programs, SendTo };
inline constexpr std::array kShortcutPlaces{ShortcutPlace::Desktop, ShortcutPlace::Programs, ShortcutPlace::SendTo};

// The shortcut file of each place: "Corvella.desktop" in the desktop folder
// and in <data>/applications, and the script "Corvella" in
// <data>/nautilus/scripts (the file manager's "send to": it lists the
// executable files there and runs the one chosen with the selected files).
// Resolving the desktop folder may run a helper program, so callers keep the paths.
std::array<std::string, 3> ShortcutPaths(const XdgPlaces& places);

// Writes the shortcut anew, creating its folder when missing (a new
// account may have no desktop folder yet). The desktop's file is made
// executable and marked trusted, as desktops start only such entries.
// 0, or the errno of the step that failed.
int WriteShortcut(ShortcutPlace place, const std::string& path, const std::string& program, const std::string& icon,
                   const XdgPlaces& places);

}  // namespace corvella
