// The files through which the desktop knows the program: the association's desktop entry and MIME package, the shortcut, the file manager's script.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvella {

// The desktop id of the association ("plumo_file" is the file class).
inline constexpr std::string_view kAssocEntryId = "plumo_file.desktop";
// ".pl" has the system's type; ".cgi" has none, so the program brings its own.
inline constexpr std::string_view kPerlType = "application/x-perl";
inline constexpr std::string_view kCgiType = "application/x-cgi";
inline constexpr std::string_view kDefaultDocumentIcon = "text-x-script";
inline constexpr std::string_view kDefaultProgramIcon = "corvella";

// The hidden entry that opens one file per start; `types` go to MimeType.
std::string AssociationEntryText(std::string_view program, std::string_view icon,
                                 const std::vector<std::string_view>& types);

// A MIME package that gives "*.cgi" the type kCgiType, a kind of Perl script.
std::string CgiMimePackageText();

// The program's menu and desktop entry ("Corvella.desktop"), many files at a time.
std::string ShortcutEntryText(std::string_view program, std::string_view icon);

// The file manager runs an executable file of its scripts folder with the
// selected files as arguments; this sh script hands them on to the program.
std::string FileManagerScriptText(std::string_view program);

}  // namespace corvella
