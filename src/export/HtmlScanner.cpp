// The HTML export's token scanner: one left-to-right pass over the script that writes the coloured page body.
#include "export/HtmlScanner.h"

#include "editor/PerlByteClasses.h"
#include "editor/PerlKeywords.h"
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
  m_frames.clear();
  cursor = -1;
  column = -1;
  lineCount = 0;
  atEnd = false;
  afterOperand = false;
  hereDocTerm.clear();
  hereDocLine = 0;
  hereDocBlankEnd = false;
  while (!atEnd) ScanToken();
  if (m_spanOpen) CloseSpan();
}

bool HtmlScanner::Advance() {
  if (atEnd) return false;
  if (static_cast<std::size_t>(cursor + 1) >= m_text.size()) {
    cursor = static_cast<std::ptrdiff_t>(m_text.size());
    atEnd = true;
    return false;
  }
  ++cursor;
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

void HtmlScanner::ScanToken() {
  DispatchToken();
  while (!m_frames.empty()) ResumeFrame();
}

void HtmlScanner::DispatchToken() {
  if (!Advance()) return;
  const unsigned char c = Cur();
  if (!hereDocTerm.empty() && lineCount == hereDocLine) {
    WriteChar();
    ScanHereDocBody();
    afterOperand = false;
    return;
  }
  switch (c) {
    case '#':
      ScanComment();
      return;
    case '$': case '@': case '%': case '*': case '\\':
      ScanVariable();
      return;
    case '&':
      ScanSubCall();
      return;
    case '"': case '\'':
      ScanString(c);
      afterOperand = true;
      return;
    case '/':
      if (afterOperand) {
        WriteChar();  // division
      } else {
        ScanQuoteLike(false);
      }
      return;
    case '<':
      WriteChar();
      if (!Advance()) return;
      if (Cur() == '<') {
        WriteChar();
        ScanHereDocStart();
      } else {
        Unget();
      }
      return;
    case ' ': case '\t':
      WriteChar();
      return;
    case ')': case ']':
      WriteChar();
      afterOperand = true;
      return;
    default:
      break;
  }
  if (IsDigit(c)) {
    ScanNumber();
    afterOperand = true;
  } else if (IsLetter(c)) {
    ScanWord();
  } else {
    WriteChar();
    afterOperand = false;
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

// Double-byte characters pass unescaped and are never taken for a backslash
// or a quote; a backslash before the closing quote is not itself escapable.
void HtmlScanner::ScanString(unsigned char quote) {
  OpenSpan(m_colours.string);
  Put(static_cast<char>(quote));
  bool escaped = false;
  DbcsState state = DbcsState::kSingle;
  while (Advance()) {
    const unsigned char c = Cur();
    state = NextDbcsState(state, c);
    if (state != DbcsState::kSingle) {
      Put(static_cast<char>(c));
      escaped = false;
    } else if (!escaped && c == quote) {
      Put(static_cast<char>(c));
      CloseSpan();
      return;
    } else if (c == '\\') {
      escaped = !escaped;
      Put('\\');
    } else {
      escaped = false;
      WriteChar();
    }
  }
}

void HtmlScanner::ScanNumber() {
  WriteChar();
  while (Advance()) {
    const unsigned char c = Cur();
    if (!IsNameByte(c) && c != '.') {
      Unget();
      return;
    }
    WriteChar();
  }
}

// The byte after the sigil is written whatever it is, so "$#", "$\"", "${"
// and "@$" never start a comment, a string or a subscript.
void HtmlScanner::ScanVariable() {
  WriteChar();
  if (!Advance()) return;
  WriteChar();
  m_frames.push_back({false, 0});
}

void HtmlScanner::ScanSubCall() {
  if (!Advance()) {
    Put("&amp;");
    return;
  }
  const unsigned char c = Cur();
  if (IsLetter(c) || c == '_') {
    OpenSpan(m_colours.subCall);
    Put("&amp;");
    WriteChar();
    m_frames.push_back({true, 0});
    return;
  }
  Put("&amp;");
  Unget();
  afterOperand = false;
}

// Reads on in the innermost variable or call until it ends or hands one
// token inside its brackets to DispatchToken (which may open a frame of its
// own; ScanToken then resumes that one first). Only a call's own name can be
// inside a span here: tokens in brackets close theirs before they return.
void HtmlScanner::ResumeFrame() {
  Frame& f = m_frames.back();
  for (;;) {
    if (!Advance()) {
      EndFrame();
      return;
    }
    const unsigned char c = Cur();
    if (f.closer != 0) {
      if (c == f.closer) {
        WriteChar();
        f.closer = 0;
        continue;
      }
      Unget();
      DispatchToken();
      return;
    }
    if (IsNameByte(c) || c == '_' || c == '\'' || c == ':') {
      WriteChar();
    } else if (!f.isCall && (c == '[' || c == '{')) {
      WriteChar();
      f.closer = c == '[' ? ']' : '}';
    } else if (f.isCall && c == '(') {
      if (m_spanOpen) CloseSpan();
      WriteChar();
      f.closer = ')';
    } else {
      if (f.isCall && m_spanOpen) CloseSpan();
      Unget();
      EndFrame();
      return;
    }
  }
}

void HtmlScanner::EndFrame() {
  m_frames.pop_back();
  afterOperand = true;
}

void HtmlScanner::ScanWord() {
  const std::size_t start = static_cast<std::size_t>(cursor);
  std::size_t length = 1;
  while (Advance()) {
    const unsigned char c = Cur();
    if (!IsNameByte(c) && c != '_' && c != '\'') break;
    ++length;
  }
  const std::string_view word = m_text.substr(start, length);
  if (length == 1 && atEnd) {
    Put(word);
    return;
  }
  // A word longer than the buffer matches nothing; it is still written whole.
  const bool twoPart = word == "s" || word == "y" || word == "tr";
  if (IsPerlKeyword(word)) {
    OpenSpan(m_colours.keyword);
    Put(word);
    CloseSpan();
  } else if (twoPart || word == "m" || word == "q" || word == "qq" || word == "qx") {
    const unsigned char next = atEnd ? 0 : Cur();
    if (atEnd || next == ' ' || next == '\t' || next == '\n') {
      Put(word);
    } else {
      OpenSpan(m_colours.keyword);
      Put(word);
      CloseSpan();
      ScanQuoteLike(twoPart);
      return;
    }
  } else {
    Put(word);
  }
  if (!atEnd) Unget();
  afterOperand = false;
}

// The cursor is on the delimiter. The closing delimiter is the same byte:
// bracket pairs are not matched, so "q{abc}" runs on to the next "{".
void HtmlScanner::ScanQuoteLike(bool twoPart) {
  const unsigned char delimiter = Cur();
  OpenSpan(m_colours.pattern);
  WriteChar();
  bool escaped = false;
  DbcsState state = DbcsState::kSingle;
  while (Advance()) {
    const unsigned char c = Cur();
    state = NextDbcsState(state, c);
    if (state != DbcsState::kSingle) {
      Put(static_cast<char>(c));
      escaped = false;
    } else if (!escaped && c == delimiter) {
      WriteChar();
      if (twoPart) {
        twoPart = false;
        continue;
      }
      CloseSpan();
      while (Advance()) {  // modifiers, outside the span
        if (!IsLetter(Cur())) {
          Unget();
          break;
        }
        WriteChar();
      }
      break;
    } else if (c == '\\') {
      escaped = !escaped;
      Put('\\');
    } else {
      escaped = false;
      WriteChar();
    }
  }
  afterOperand = true;
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
