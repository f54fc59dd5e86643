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

int WriteShortcut(ShortcutPlace place, const std::string& path, const std::string& program, const std::string& icon,
                  const XdgPlaces& places) {
  if (const int error = MakeFolders(GetFolderPart(path))) return error;
  const std::string text =
      place == ShortcutPlace::SendTo ? FileManagerScriptText(program) : ShortcutEntryText(program, icon);
  if (const int error = WriteFileAtomically(path, text)) return error;
  if (place != ShortcutPlace::Programs) ::chmod(path.c_str(), 0755);
  if (place == ShortcutPlace::Desktop) RunDesktopTool({"gio", "set", path, "metadata::trusted", "true"}, places);
  return 0;
}

}  // namespace corvella
