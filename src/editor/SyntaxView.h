// The edit view that colours Perl source: keywords, comments, strings, patterns, subroutine calls and the backslash-code mark.
#pragma once

#include <QColor>

#include "editor/LineCommentFlags.h"
#include "editor/PerlLexer.h"
#include "editor/UndoEditView.h"

namespace corvella {

class CSyntaxView : public CUndoEditView {
  Q_OBJECT

 public:
  explicit CSyntaxView(QWidget* parent = nullptr);

  // Colouring on or off; off still keeps the comment flags.
  void SetStress(bool on);
  // Per line: whether the line above held a comment when last coloured.
  const LineCommentFlags& LineComments() const { return m_lineComment; }
  void ResetLineFlags() { m_lineComment.Reset(); }

  QColor m_crKeyword{0, 0, 255};
  QColor m_crString{0, 128, 128};
  QColor m_crComment{192, 0, 0};
  QColor m_crPattern{255, 0, 255};
  QColor m_crSubCall{0, 128, 0};

 protected:
  std::vector<TextRun> LineRuns(std::size_t line, std::string_view bytes) override;

 private:
  QColor ColorOf(LexClass cls) const;

  PerlLexer m_lexer;
  LineCommentFlags m_lineComment;
  std::vector<LexRun> m_runs;
};

}  // namespace corvella
