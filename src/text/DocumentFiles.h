// File names and file-type filters of the document dialogs, decided without touching the file system.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvella {

// The name Save As proposes for a document that has no file yet: the title up
// to the first blank, '#', '%', ';', '/' or backslash (characters that would
// make an awkward or impossible file name), then `defaultExtension` (".pl").
std::string ProposedSaveAsName(std::string_view title, std::string_view defaultExtension);

// Turns a filter string of "caption|pattern;pattern|...||" pairs into name
// filters of the form "caption (pattern pattern)": the patterns in a caption's
// own trailing parentheses give way to the pair's pattern list, separated by
// blanks, and "*.*" becomes "*" (every name, dotted or not).
std::vector<std::string> FileDialogNameFilters(std::string_view filter);

}  // namespace corvella
