// The edit view that colours Perl source: keywords, comments, strings, patterns, subroutine calls and the backslash-code mark.
#include "editor/SyntaxView.h"

namespace corvella {

CSyntaxView::CSyntaxView(QWidget* parent) : CUndoEditView(parent) {
  m_bStress = true;
  m_lexer.SetStress(true);
}

void CSyntaxView::SetStress(bool on) {
  m_bStress = on;
  m_lexer.SetStress(on);
  viewport()->update();
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

// Every painted line is scanned, coloured or not, so the comment flags
// follow the text as it is shown and edited.
std::vector<TextRun> CSyntaxView::LineRuns(std::size_t line, std::string_view bytes) {
  m_lineComment.Resize(Buffer().GetLineCount());
  if (bytes.empty()) {
    m_lineComment.SetEmptyLine(line);
    return {};
  }
  const bool comment = m_lexer.LexLine(bytes, 0, m_runs);
  m_lineComment.SetLine(line, comment);
  std::vector<TextRun> runs;
  runs.reserve(m_runs.size());
  for (const LexRun& r : m_runs) {
    TextRun run{r.start, r.start + r.length, ColorOf(r.cls), {}};
    if (r.cls == LexClass::kMark) run.overlay = "\x81\x51";  // "＿"
    runs.push_back(std::move(run));
  }
  return runs;
}

}  // namespace corvella
