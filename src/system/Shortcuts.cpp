// The program's shortcuts: on the desktop, in the applications menu and in the file manager's scripts menu.
#include "system/Shortcuts.h"

#include <sys/stat.h>

#include "platform/AtomicFile.h"
#include "platform/PathParts.h"
#include "system/DesktopFiles.h"

namespace corvella {

std::array<std::string, 3> ShortcutPaths(const XdgPlaces& places) {
  return {JoinPath(DesktopFolder(places), "Corvella.desktop"),
          JoinPath(places.dataHome, "applications/Corvella.desktop"),
          JoinPath(places.dataHome, "nautilus/scripts/Corvella")};
}

bool WriteShortcut(ShortcutPlace place, const std::string& path, const std::string& program, const std::string& icon,
                   const XdgPlaces& places) {
  if (place != ShortcutPlace::Desktop && !MakeFolders(GetFolderPart(path))) return false;
  const std::string text =
      place == ShortcutPlace::SendTo ? FileManagerScriptText(program) : ShortcutEntryText(program, icon);
  if (WriteFileAtomically(path, text) != 0) return false;
  if (place != ShortcutPlace::Programs) ::chmod(path.c_str(), 0755);
  if (place == ShortcutPlace::Desktop) RunDesktopTool({"gio", "set", path, "metadata::trusted", "true"}, places);
  return true;
}

}  // namespace corvella
