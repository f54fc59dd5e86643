// The texts of the status bar's line, encoding and newline panes.
#include "editor/PaneTexts.h"

#include <cstdio>

namespace corvella {

std::string LinePaneText(int line) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%4d", line);
  return std::string(" 行: ") + digits;
}

std::string KanjiPaneText(int kanjiCode) {
  switch (kanjiCode) {
    case 1: return "EUC";
    case 2: return "JIS";
    case 3: return "UTF-8";
    default: return "SJIS";
  }
}

std::string NewlinePaneText(int newlineCode) {
  if (newlineCode == 1) return "LF";
  if (newlineCode == 2) return "CR";
  return "CR+LF";
}

}  // namespace corvella
