// The edit view that colours Perl source: keywords, comments, strings, patterns, subroutine calls and the backslash-code mark.
#include "editor/SyntaxView.h"

namespace corvella {

CSyntaxView::CSyntaxView(QWidget* parent) : CUndoEditView(parent) { m_bStress = true; }

void CSyntaxView::SetStress(bool on) {
  m_bStress = on;
  viewport()->update();
}

// The states learn of a change before anything the control does about it
// (a repaint, the textChanged signal) can ask for them.
void CSyntaxView::TextChanged(const EditBuffer::TextChange& change) {
  m_lineStates.TextChanged(change);
  CUndoEditView::TextChanged(change);
}

QColor CSyntaxView::ColorOf(LexClass cls) const {
  switch (cls) {
    case LexClass::kKeyword: return m_crKeyword;
    case LexClass::kComment:
    case LexClass::kMark: return m_crComment;
    case LexClass::kString: return m_crString;
    case LexClass::kPattern: return m_crPattern;
    case LexClass::kSubCall: return m_crSubCall;
    case LexClass::kText: break;
  }
  return TextColor();
}

// A line's colours depend on its bytes alone; the comment flags live in the
// line states, so with colouring off nothing needs scanning here.
void CSyntaxView::LineRuns(std::size_t, std::string_view bytes, std::vector<TextRun>& runs) {
  if (!m_bStress) {
    runs.clear();
    return;
  }
  m_lexer.LexLine(bytes, 0, runs);
}

}  // namespace corvella
