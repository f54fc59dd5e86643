// The edit view that colours Perl source: keywords, comments, strings, patterns, subroutine calls and the backslash-code mark.
#pragma once

#include <QColor>

#include "document/LineStateStore.h"
#include "document/PerlLexer.h"
#include "editor/UndoEditView.h"

namespace corvella {

class CSyntaxView : public CUndoEditView {
  Q_OBJECT

 public:
  explicit CSyntaxView(QWidget* parent = nullptr);

  // Colouring on or off; off still keeps the comment flags.
  void SetStress(bool on);
  // Whether the last line above `line` that is not empty holds a comment, as
  // the text is now (whether or not anything was painted since).
  bool CommentAbove(std::size_t line) { return m_lineStates.At(line).commentAbove; }
  const LineStateStore& LineStates() const { return m_lineStates; }

  QColor m_crKeyword{0, 0, 255};
  QColor m_crString{0, 128, 128};
  QColor m_crComment{192, 0, 0};
  QColor m_crPattern{255, 0, 255};
  QColor m_crSubCall{0, 128, 0};

 protected:
  void TextChanged(const EditBuffer::TextChange& change) override;
  void LineRuns(std::size_t line, std::string_view bytes, std::vector<TextRun>& runs) override;
  QColor ColorOf(LexClass cls) const override;

 private:
  PerlLexer m_lexer;
  LineStateStore m_lineStates{Buffer()};
};

}  // namespace corvella
