// The Perl colouring tokenizer: the bytes of one line in, classified runs and the comment flag out.
#include "editor/PerlLexer.h"

#include "editor/PerlByteClasses.h"
#include "editor/PerlKeywords.h"

namespace corvella {

using namespace perlbytes;

void ColourRun::Begin(std::vector<LexRun>* out, LexClass cls, bool enabled) {
  m_out = out;
  m_cls = cls;
  bEnabled = enabled;
  nStart = 0;
  m_length = 0;
}

void ColourRun::AddChar(unsigned char c, LexClass cls, std::size_t index) {
  if (!bEnabled) return;
  if (c == '\t') {
    Flush();
    m_cls = cls;
    nStart = index + 1;
    return;
  }
  Append(1, cls, index);
}

void ColourRun::AddString(std::size_t length, LexClass cls, std::size_t index) {
  if (bEnabled) Append(length, cls, index);
}

void ColourRun::Append(std::size_t length, LexClass cls, std::size_t index) {
  if (m_length != 0 && (cls != m_cls || index != nStart + m_length)) Flush();
  if (m_length == 0) {
    nStart = index;
    m_cls = cls;
  }
  m_length += length;
}

void ColourRun::Flush() {
  if (m_length != 0) m_out->push_back({nStart, m_length, m_cls});
  m_length = 0;
  nStart = 0;
}

bool PerlLexer::LexLine(std::string_view line, std::size_t lineStart, std::vector<LexRun>& runs) {
  runs.clear();
  m_line = line;
  m_nLineStart = lineStart;
  m_nPos = -1;
  m_bCommentSeen = false;
  m_bAfterOperand = false;
  m_bLineEnd = false;
  m_frames.clear();
  m_run.Begin(&runs, LexClass::kText, m_bStress);
  while (!m_bLineEnd) LexToken();
  m_run.Flush();
  return m_bCommentSeen;
}

// Once the line has ended (or a word was too long) the cursor never moves
// again, so every loop that asks for one more byte stops.
bool PerlLexer::StepForward() {
  if (m_bLineEnd) return false;
  if (static_cast<std::size_t>(m_nPos + 1) >= m_line.size()) {
    m_nPos = static_cast<std::ptrdiff_t>(m_line.size());
    m_bLineEnd = true;
    return false;
  }
  ++m_nPos;
  return true;
}

void PerlLexer::LexToken() {
  DispatchToken();
  while (!m_frames.empty()) ResumeFrame();
}

void PerlLexer::DispatchToken() {
  if (!StepForward()) return;
  const unsigned char c = Cur();
  switch (c) {
    case '#':
      LexComment();
      return;
    case '$': case '@': case '%': case '*': case '\\':
      LexVariable();
      return;
    case '&':
      LexSubCall();
      return;
    case '"': case '\'':
      LexString(c);
      m_bAfterOperand = true;
      return;
    case '/':
      if (m_bAfterOperand) {
        Paint(LexClass::kText);  // division
      } else {
        LexPattern(false, '/');
        m_bAfterOperand = true;
      }
      return;
    case ' ': case '\t':
      Paint(LexClass::kText);
      return;
    case ')': case ']':
      Paint(LexClass::kText);
      m_bAfterOperand = true;
      return;
    default:
      break;
  }
  if (IsDigit(c)) {
    LexNumber();
    m_bAfterOperand = true;
    return;
  }
  if (IsLetter(c)) {
    LexWord();
    return;
  }
  Paint(LexClass::kText);
  if (IsLeadByte(c) && StepForward()) {
    Paint(LexClass::kText);
    if (Cur() == 0x5C) MarkAt(m_nPos - 1);
  }
  m_bAfterOperand = false;
}

void PerlLexer::LexComment() {
  m_bCommentSeen = true;
  do Paint(LexClass::kComment);
  while (StepForward());
}

void PerlLexer::LexNumber() {
  Paint(LexClass::kText);
  while (StepForward()) {
    const unsigned char c = Cur();
    if (!IsNameByte(c) && c != '.') {
      StepBack();
      return;
    }
    Paint(LexClass::kText);
  }
}

// The byte after the sigil is taken whatever it is, so "$#", "$$", "${" and
// "@{" never start a comment or a subscript.
void PerlLexer::LexVariable() {
  Paint(LexClass::kText);
  if (!StepForward()) return;
  Paint(LexClass::kText);
  m_frames.push_back({false, 0});
}

void PerlLexer::LexSubCall() {
  const std::ptrdiff_t amp = m_nPos;
  if (!StepForward()) {
    m_run.AddChar('&', LexClass::kText, IndexOf(amp));
    return;
  }
  const unsigned char c = Cur();
  if (IsLetter(c) || c == '_') {
    m_run.AddChar('&', LexClass::kSubCall, IndexOf(amp));
    Paint(LexClass::kSubCall);
    m_frames.push_back({true, 0});
    return;
  }
  m_run.AddChar('&', LexClass::kText, IndexOf(amp));
  StepBack();
  m_bAfterOperand = false;
}

// Reads on in the innermost variable or call until it ends or hands one
// token inside its brackets to DispatchToken (which may open a frame of its
// own; LexToken then resumes that one first).
void PerlLexer::ResumeFrame() {
  Frame& f = m_frames.back();
  for (;;) {
    if (!StepForward()) {
      EndFrame();
      return;
    }
    const unsigned char c = Cur();
    if (f.closer != 0) {
      if (c == f.closer) {
        Paint(LexClass::kText);
        f.closer = 0;
        continue;
      }
      StepBack();
      DispatchToken();
      return;
    }
    if (IsNameByte(c) || c == '_' || c == '\'' || c == ':') {
      Paint(f.isCall ? LexClass::kSubCall : LexClass::kText);
    } else if (!f.isCall && (c == '[' || c == '{')) {
      Paint(LexClass::kText);
      f.closer = c == '[' ? ']' : '}';
    } else if (f.isCall && c == '(') {
      Paint(LexClass::kText);
      f.closer = ')';
    } else {
      StepBack();
      EndFrame();
      return;
    }
  }
}

void PerlLexer::EndFrame() {
  m_frames.pop_back();
  m_bAfterOperand = true;
}

// A lead byte waits for its trail byte so that the character is painted
// whole; a lead byte without a valid trail is left unpainted.
void PerlLexer::LexString(unsigned char quote) {
  Paint(LexClass::kString);
  bool escaped = false;
  std::ptrdiff_t lead = -1;
  while (StepForward()) {
    const unsigned char c = Cur();
    if (lead >= 0) {
      const std::ptrdiff_t leadPos = lead;
      lead = -1;
      if (IsTrailByte(c)) {
        m_run.AddString(2, LexClass::kString, IndexOf(leadPos));
        if (c == 0x5C) MarkAt(leadPos);
        escaped = false;
        continue;
      }
    } else if (IsLeadByte(c)) {
      lead = m_nPos;
      continue;
    }
    Paint(LexClass::kString);
    if (!escaped && c == quote) return;
    escaped = c == '\\' ? !escaped : false;
  }
}

// The closing delimiter is the opening byte itself: bracket pairs are not
// matched, so "q{abc}" runs on to the next "{".
void PerlLexer::LexPattern(bool twoPart, unsigned char delimiter) {
  Paint(LexClass::kPattern);
  bool escaped = false;
  DbcsState state = DbcsState::kSingle;
  while (StepForward()) {
    const unsigned char c = Cur();
    state = NextDbcsState(state, c);
    if (state != DbcsState::kSingle) {
      Paint(LexClass::kPattern);
      escaped = false;
      continue;
    }
    if (!escaped && c == delimiter) {
      Paint(LexClass::kPattern);
      if (twoPart) {
        twoPart = false;
        continue;
      }
      while (StepForward()) {  // modifiers
        if (!IsLetter(Cur())) {
          StepBack();
          break;
        }
        Paint(LexClass::kText);
      }
      return;
    }
    escaped = c == '\\' ? !escaped : false;
    Paint(LexClass::kPattern);
  }
}

void PerlLexer::LexWord() {
  const std::ptrdiff_t start = m_nPos;
  std::size_t length = 1;
  while (StepForward()) {
    const unsigned char c = Cur();
    if (!IsNameByte(c) && c != '_' && c != '\'') break;
    if (length == kMaxWord) {
      m_bLineEnd = true;  // nothing after an overlong word is coloured
      break;
    }
    ++length;
  }
  const std::size_t index = IndexOf(start);
  if (length == 1 && m_bLineEnd) {
    m_run.AddChar(static_cast<unsigned char>(m_line[static_cast<std::size_t>(start)]), LexClass::kText, index);
    return;
  }
  const std::string_view word = m_line.substr(static_cast<std::size_t>(start), length);
  const bool twoPart = word == "s" || word == "y" || word == "tr";
  if (IsPerlKeyword(word)) {
    m_run.AddString(length, LexClass::kKeyword, index);
  } else if (twoPart || word == "m" || word == "q" || word == "qq" || word == "qx") {
    const unsigned char next = m_bLineEnd ? 0 : Cur();
    if (m_bLineEnd || next == ' ' || next == '\t' || next == '\n') {
      m_run.AddString(length, LexClass::kText, index);
    } else {
      m_run.AddString(length, LexClass::kKeyword, index);
      LexPattern(twoPart, next);
      m_bAfterOperand = true;
      return;
    }
  } else {
    m_run.AddString(length, LexClass::kText, index);
  }
  if (!m_bLineEnd) StepBack();
  m_bAfterOperand = false;
}

}  // namespace corvella
