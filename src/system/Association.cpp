// The association of ".pl" and ".cgi" scripts with the program, kept where the freedesktop desktop keeps it.
#include "system/Association.h"

#include <cerrno>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "platform/PathParts.h"
#include "system/DesktopFiles.h"
#include "system/MimeAppsList.h"

namespace corvella {
namespace {

constexpr std::size_t kMaxListSize = 16 << 20;

struct AssocPaths {
  std::string applications, entry, mime, package, list;
};

AssocPaths PathsOf(const XdgPlaces& places) {
  AssocPaths paths;
  paths.applications = JoinPath(places.dataHome, "applications");
  paths.entry = JoinPath(paths.applications, kAssocEntryId);
  paths.mime = JoinPath(places.dataHome, "mime");
  paths.package = JoinPath(paths.mime, "packages/corvella-cgi.xml");
  paths.list = JoinPath(places.configHome, "mimeapps.list");
  return paths;
}

// The list as it is on disk; empty for a missing file, none for one that
// exists but cannot be read (and so must not be overwritten).
std::optional<MimeAppsList> LoadList(const std::string& path) {
  const FileReadResult read = ReadWholeFile(path, kMaxListSize);
  if (read.status == FileReadResult::Status::Ok) return MimeAppsList(read.bytes);
  if (read.status == FileReadResult::Status::Failed && read.error == ENOENT) return MimeAppsList();
  return std::nullopt;
}

bool WriteFile(const std::string& folder, const std::string& path, std::string_view bytes) {
  return MakeFolders(folder) == 0 && WriteFileAtomically(path, bytes) == 0;
}

}  // namespace

ScriptTypes ReadAssociation(const XdgPlaces& places) {
  const AssocPaths paths = PathsOf(places);
  ScriptTypes types;
  const auto list = LoadList(paths.list);
  if (!list || !FileExists(paths.entry)) return types;
  types.pl = list->Default(kPerlType) == kAssocEntryId;
  types.cgi = list->Default(kCgiType) == kAssocEntryId && FileExists(paths.package);
  return types;
}

void ApplyAssociation(const XdgPlaces& places, ScriptTypes wanted, const std::string& program,
                      const std::string& icon) {
  const AssocPaths paths = PathsOf(places);

  const bool hadPackage = FileExists(paths.package);
  if (wanted.cgi) {
    WriteFile(GetFolderPart(paths.package), paths.package, CgiMimePackageText());
  } else {
    RemoveIfExists(paths.package);
  }
  // The desktop reads types from the compiled database, not the packages.
  if (wanted.cgi || hadPackage) RunDesktopTool({"update-mime-database", paths.mime}, places);

  std::vector<std::string_view> types;
  if (wanted.pl) types.push_back(kPerlType);
  if (wanted.cgi) types.push_back(kCgiType);
  const bool entryWritten =
      !types.empty() && WriteFile(paths.applications, paths.entry, AssociationEntryText(program, icon, types));

  if (auto list = LoadList(paths.list)) {
    const std::string before = list->Text();
    for (const auto& [type, on] : {std::pair{kPerlType, wanted.pl}, std::pair{kCgiType, wanted.cgi}}) {
      if (!on) {
        list->RemoveDefault(type, kAssocEntryId);
      } else if (entryWritten) {
        list->SetDefault(type, kAssocEntryId);
      }
    }
    if (list->Text() != before) WriteFile(places.configHome, paths.list, list->Text());
  }

  if (types.empty()) RemoveIfExists(paths.entry);
  // A cache of the folder, where there is one, must know of the entry's change.
  if (FileExists(JoinPath(paths.applications, "mimeinfo.cache"))) {
    RunDesktopTool({"update-desktop-database", paths.applications}, places);
  }
}

}  // namespace corvella
