// How a view colours Perl.
#include "editor/SyntaxColoring.h"

namespace corvella {

// A line's colours depend on its bytes alone: the comment flags live in the
// line states, so with colouring off nothing needs scanning here.
void SyntaxColoring::LineRuns(std::string_view bytes, std::vector<TextRun>& runs) {
  if (!on_) {
    runs.clear();
    return;
  }
  lexer_.LexLine(bytes, 0, runs);
}

QColor SyntaxColoring::ColorOf(LexClass cls, QColor text) const {
  switch (cls) {
    case LexClass::kKeyword: return colors_.keyword;
    case LexClass::kComment:
    case LexClass::kMark: return colors_.comment;
    case LexClass::kString: return colors_.string;
    case LexClass::kPattern: return colors_.pattern;
    case LexClass::kSubCall: return colors_.subCall;
    case LexClass::kText: break;
  }
  return text;
}

}  // namespace corvella
