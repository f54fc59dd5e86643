// The texts of the status bar's line, encoding and newline panes.
#pragma once

#include <string>

namespace corvella {

// " 行: %4d": the caret line right-aligned in four places (UTF-8).
std::string LinePaneText(int line);
// "SJIS", "EUC", "JIS", "UTF-8" by encoding code; any other code reads "SJIS".
std::string KanjiPaneText(int kanjiCode);
// "LF" for 1, "CR" for 2, "CR+LF" for anything else.
std::string NewlinePaneText(int newlineCode);

}  // namespace corvella
