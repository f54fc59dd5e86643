// The HTML export's token scanner: one left-to-right pass over the script that writes the coloured page body.
#include "export/HtmlScanner.h"

#include "document/PerlByteClasses.h"
#include "document/PerlKeywords.h"
#include "export/HtmlExport.h"

namespace corvella {

using namespace perlbytes;

namespace {

constexpr bool IsWhite(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

HtmlScanner::HtmlScanner(const HtmlColours& colours, int tabWidth) : m_colours(colours), tabWidth(tabWidth) {}

void HtmlScanner::Run(std::string_view text, std::string& out) {
  m_text = text;
  m_out = &out;
  m_spanOpen = false;
  m_rules.Clear();
  cursor = -1;
  column = -1;
  lineCount = 0;
  atEnd = false;
  afterOperand = false;
  hereDocTerm.clear();
  hereDocLine = 0;
  hereDocBlankEnd = false;
  while (!atEnd) m_rules.Token(*this);
  if (m_spanOpen) CloseSpan();
}

bool HtmlScanner::Advance() {
  if (!StepOn(m_text, cursor, atEnd)) return false;
  ++column;
  if (Cur() == '\n') ++lineCount;
  return true;
}

// Gives back the byte under the cursor. Callers never give back past the end
// of the text, so the cursor always lands on a byte that was read.
void HtmlScanner::Unget() {
  if (atEnd || cursor < 0) return;
  if (Cur() == '\n') --lineCount;
  --cursor;
  if (--column < 0) column = tabWidth - 1;
}

void HtmlScanner::WriteChar() {
  switch (Cur()) {
    case '\t': {
      const int inStop = ((column % tabWidth) + tabWidth) % tabWidth;
      m_out->append(static_cast<std::size_t>(tabWidth - inStop), ' ');
      column = -1;
      break;
    }
    case '\n':
      Put("\r\n");  // the page is a text file with CR LF line ends
      column = -1;
      break;
    case '"': Put("&quot;"); break;
    case '&': Put("&amp;"); break;
    case '<': Put("&lt;"); break;
    case '>': Put("&gt;"); break;
    default: Put(static_cast<char>(Cur())); break;
  }
}

void HtmlScanner::OpenSpan(const std::string& colour) {
  Put("<font color=\"");
  Put(colour);
  Put("\">");
  m_spanOpen = true;
}

void HtmlScanner::CloseSpan() {
  Put("</font>");
  m_spanOpen = false;
}

void HtmlScanner::Ampersand(bool isCall) {
  if (isCall) OpenSpan(m_colours.subCall);
  Put("&amp;");
}

// Rule 1, a here-document body, comes before every other rule; "<" is ours
// too, as the colouring knows no here-documents.
void HtmlScanner::DispatchToken() {
  if (!Advance()) return;
  if (!hereDocTerm.empty() && lineCount == hereDocLine) {
    WriteChar();
    ScanHereDocBody();
    afterOperand = false;
    return;
  }
  m_rules.Dispatch(*this, Cur());
}

void HtmlScanner::Other(unsigned char c) {
  WriteChar();
  if (c != '<') {
    afterOperand = false;
    return;
  }
  if (!Advance()) return;
  if (Cur() == '<') {
    WriteChar();
    ScanHereDocStart();
  } else {
    Unget();
  }
}

void HtmlScanner::ScanComment() {
  OpenSpan(m_colours.comment);
  Put('#');
  while (Advance()) {
    if (Cur() == '\n') {
      CloseSpan();
      WriteChar();
      return;
    }
    WriteChar();
  }
}

// Bytes of double-byte characters are never taken for a backslash or the
// quote (and WriteChar has no entity for any of them); the quotes themselves
// are written as they are.
void HtmlScanner::ScanString(unsigned char quote) {
  OpenSpan(m_colours.string);
  Put(static_cast<char>(quote));
  DelimitedBody body(quote);
  while (Advance()) {
    if (body.Next(Cur()) == DelimitedBody::Byte::kDelimiter) {
      Put(static_cast<char>(quote));
      CloseSpan();
      return;
    }
    WriteChar();
  }
}

void HtmlScanner::ScanWord() {
  const std::size_t start = static_cast<std::size_t>(cursor);
  std::size_t length = 1;
  while (Advance() && IsWordByte(Cur())) ++length;
  const std::string_view word = m_text.substr(start, length);
  if (length == 1 && atEnd) {
    Put(word);
    return;
  }
  // A word longer than the buffer matches nothing; it is still written whole.
  const PerlWord kind = ClassifyPerlWord(word, atEnd, atEnd ? 0 : Cur());
  if (kind != PerlWord::kPlain) OpenSpan(m_colours.keyword);
  Put(word);
  if (kind != PerlWord::kPlain) CloseSpan();
  if (kind == PerlWord::kQuoteLike || kind == PerlWord::kQuoteLikeTwoPart) {
    m_rules.QuoteLike(*this, kind == PerlWord::kQuoteLikeTwoPart);
    return;
  }
  if (!atEnd) Unget();
  afterOperand = false;
}

void HtmlScanner::PatternStart() {
  OpenSpan(m_colours.pattern);
  WriteChar();
}

// After "<<" has been written. Terminators of several here-documents on one
// line add up into one, which must then appear as one line.
void HtmlScanner::ScanHereDocStart() {
  if (!Advance()) return;
  while (IsWhite(Cur())) {
    WriteChar();
    if (!Advance()) return;
  }
  if (Cur() == 'x') {
    if (!Advance()) {
      Put('x');
      return;
    }
    if (IsWhite(Cur())) {  // "<< x": the body ends at the first empty line
      hereDocLine = lineCount + 1;
      hereDocTerm += 'x';
      Put('x');
      WriteChar();
      hereDocBlankEnd = true;
      return;
    }
    Unget();
  }
  const unsigned char c = Cur();
  if (IsLetter(c) || c == '_' || c == '"' || c == '\'') {
    const std::size_t start = static_cast<std::size_t>(cursor);
    std::size_t length = 1;
    while (Advance()) {
      const unsigned char d = Cur();
      if (!IsNameByte(d) && d != '_' && d != '"' && d != '\'') break;
      ++length;
    }
    const std::string_view word = m_text.substr(start, length);
    hereDocTerm += word;
    // Only the word just read is shown, though the terminator adds up.
    OpenSpan(m_colours.string);
    Put(word);
    CloseSpan();
    hereDocLine = lineCount + 1;
    if (hereDocTerm.front() == '\'' || hereDocTerm.front() == '"') {
      hereDocTerm.erase(0, 1);
      if (!hereDocTerm.empty()) hereDocTerm.pop_back();
    }
    if (!atEnd) Unget();
    hereDocBlankEnd = false;
    return;
  }
  // A digit (the shift "1 << 2"), or "<<=", "<< $x": no here-document.
  Unget();
  afterOperand = false;
  hereDocBlankEnd = false;
}

// Called on the first byte after the introducing line (already written).
// The terminator line is inside the span.
void HtmlScanner::ScanHereDocBody() {
  OpenSpan(m_colours.string);
  std::size_t lineStart = static_cast<std::size_t>(cursor) + 1;
  while (Advance()) {
    WriteChar();
    if (Cur() != '\n') continue;
    const std::string_view line = m_text.substr(lineStart, static_cast<std::size_t>(cursor) - lineStart);
    const bool ends = hereDocBlankEnd
                          ? hereDocTerm == "x" && line.empty()
                          : line.size() <= kBufferSize && line == hereDocTerm;
    if (ends) {
      CloseSpan();
      hereDocTerm.clear();
      afterOperand = false;
      return;
    }
    lineStart = static_cast<std::size_t>(cursor) + 1;
  }
}

}  // namespace corvella
