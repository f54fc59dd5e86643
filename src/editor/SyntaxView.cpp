// The edit view that colours Perl source: keywords, comments, strings, patterns, subroutine calls and the backslash-code mark.
#include "editor/SyntaxView.h"

namespace corvella {

CSyntaxView::CSyntaxView(QWidget* parent) : CUndoEditView(parent) {}

void CSyntaxView::SetStress(bool on) {
  m_coloring.SetOn(on);
  ForgetRuns();
  viewport()->update();
}

void CSyntaxView::SetColors(const SyntaxColors& colors) {
  m_coloring.SetColors(colors);
  viewport()->update();
}

QColor CSyntaxView::ColorOf(LexClass cls) const { return m_coloring.ColorOf(cls, TextColor()); }

void CSyntaxView::LineRuns(std::size_t, std::string_view bytes, std::vector<TextRun>& runs) {
  m_coloring.LineRuns(bytes, runs);
}

}  // namespace corvella
