// The edit view that colours Perl source: keywords, comments, strings, patterns, subroutine calls and the backslash-code mark.
#pragma once

#include "editor/SyntaxColoring.h"
#include "editor/UndoEditView.h"

namespace corvella {

class CSyntaxView : public CUndoEditView {
  Q_OBJECT

 public:
  explicit CSyntaxView(QWidget* parent = nullptr);

  // Colouring on or off; off still keeps the comment flags.
  void SetStress(bool on);
  bool Stress() const { return m_coloring.IsOn(); }
  void SetColors(const SyntaxColors& colors);
  const SyntaxColors& Colors() const { return m_coloring.Colors(); }
  // Whether the last line above `line` that is not empty holds a comment, as
  // the text is now (whether or not anything was painted since).
  bool CommentAbove(std::size_t line) { return Document().LineStates().At(line).commentAbove; }
  const LineStateStore& LineStates() const { return Document().LineStates(); }

 protected:
  void LineRuns(std::size_t line, std::string_view bytes, std::vector<TextRun>& runs) override;
  QColor ColorOf(LexClass cls) const override;

 private:
  SyntaxColoring m_coloring;
};

}  // namespace corvella
