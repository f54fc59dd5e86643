// How a view colours Perl: the colour of each class of token, and colouring on or off.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include <QColor>

#include "document/PerlLexer.h"
#include "document/TextRun.h"

namespace corvella {

struct SyntaxColors {
  QColor keyword{0, 0, 255};
  QColor string{0, 128, 128};
  QColor comment{192, 0, 0};
  QColor pattern{255, 0, 255};
  QColor subCall{0, 128, 0};
};

class SyntaxColoring {
 public:
  void SetColors(const SyntaxColors& colors) { colors_ = colors; }
  const SyntaxColors& Colors() const { return colors_; }
  // Off still leaves the comment flags to the line states.
  void SetOn(bool on) { on_ = on; }
  bool IsOn() const { return on_; }

  // The classified runs of one line's bytes; none while colouring is off.
  void LineRuns(std::string_view bytes, std::vector<TextRun>& runs);
  // `text` for plain text; a mark is drawn in the comment colour.
  QColor ColorOf(LexClass cls, QColor text) const;

 private:
  SyntaxColors colors_;
  bool on_ = true;
  PerlLexer lexer_;
};

}  // namespace corvella
