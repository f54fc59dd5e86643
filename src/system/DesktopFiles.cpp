// The files through which the desktop knows the program: the association's desktop entry and MIME package, the shortcut, the file manager's script.
#include "system/DesktopFiles.h"

#include "res/Strings.h"
#include "system/DesktopEntry.h"

namespace corvella {
namespace {

std::string ShellQuote(std::string_view word) {
  std::string quoted = "'";
  for (const char c : word) {
    if (c == '\'') quoted += "'\\''";
    else quoted += c;
  }
  return quoted + "'";
}

}  // namespace

std::string AssociationEntryText(std::string_view program, std::string_view icon,
                                 const std::vector<std::string_view>& types) {
  std::string mimeTypes;
  for (const auto type : types) (mimeTypes += type) += ';';
  DesktopEntry entry;
  entry.Set("Type", "Application");
  entry.Set("Name", str::kAssocEntryName);
  entry.Set("Icon", icon);
  entry.Set("Exec", ExecArgument(program) + " %f");
  entry.Set("MimeType", mimeTypes);
  entry.Set("NoDisplay", "true");
  entry.Set("Terminal", "false");
  return entry.Text();
}

std::string CgiMimePackageText() {
  return std::string(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"") +
         std::string(kCgiType) + "\">\n    <comment>" + str::kCgiTypeComment + "</comment>\n" +
         "    <comment xml:lang=\"ja\">" + str::kCgiTypeCommentJa + "</comment>\n" +
         "    <sub-class-of type=\"" + std::string(kPerlType) + "\"/>\n" +
         "    <glob pattern=\"*.cgi\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string ShortcutEntryText(std::string_view program, std::string_view icon) {
  DesktopEntry entry;
  entry.Set("Type", "Application");
  entry.Set("Name", str::kAppTitle);
  entry.Set("Comment", str::kShortcutComment);
  entry.Set("Exec", ExecArgument(program) + " %F");
  entry.Set("Icon", icon);
  entry.Set("Terminal", "false");
  entry.Set("Categories", "Development;TextEditor;");
  return entry.Text();
}

std::string FileManagerScriptText(std::string_view program) {
  return "#!/bin/sh\nexec " + ShellQuote(program) + " \"$@\"\n";
}

}  // namespace corvella
