// The Perl colouring tokenizer: the bytes of one line in, classified runs and the comment flag out.
#include "document/PerlLexer.h"

#include "document/PerlKeywords.h"

namespace corvella {

using namespace perlbytes;

namespace {

// `line` begins with `word`, and no word byte follows it.
bool StartsWithWord(std::string_view line, std::string_view word) {
  return line.starts_with(word) &&
         (line.size() == word.size() || !IsWordByte(static_cast<unsigned char>(line[word.size()])));
}

// A POD command such as "=head1" or "=cut": in code it opens POD.
bool IsPodCommand(std::string_view line) {
  return line.size() >= 2 && line[0] == '=' && IsLetter(static_cast<unsigned char>(line[1]));
}

bool IsPodEnd(std::string_view line) { return StartsWithWord(line, "=cut"); }

bool IsDataMarker(std::string_view line) {
  return StartsWithWord(line, "__END__") || StartsWithWord(line, "__DATA__");
}

}  // namespace

void ColourRun::Begin(std::vector<TextRun>* out, LexClass cls) {
  m_out = out;
  m_cls = cls;
  nStart = 0;
  m_length = 0;
}

void ColourRun::AddChar(unsigned char c, LexClass cls, std::size_t index) {
  if (!m_out) return;
  if (c == '\t') {
    Flush();
    m_cls = cls;
    nStart = index + 1;
    return;
  }
  Append(1, cls, index);
}

void ColourRun::AddString(std::size_t length, LexClass cls, std::size_t index) {
  if (m_out) Append(length, cls, index);
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

bool PerlLexer::LexLine(std::string_view line, std::size_t lineStart, std::vector<TextRun>& runs) {
  runs.clear();
  return Scan(line, lineStart, m_bStress ? &runs : nullptr);
}

// Only a "#" can start a comment and only a "<<" a heredoc, so most lines
// need no scan at all.
LineState PerlLexer::NextLineState(LineState in, std::string_view line) {
  if (line.empty()) return NextBlock(in, line);
  LineState out = in;
  std::vector<HereDoc> opened;
  const std::string_view lexed = line.substr(0, kLexedPrefix);
  const bool code = in.block == LineBlock::kCode && !IsPodCommand(line);
  const bool mayOpen = code && lexed.find("<<") != std::string_view::npos;
  out.commentAbove = false;
  if (mayOpen || lexed.find('#') != std::string_view::npos) {
    m_hereDocStarts = mayOpen ? &opened : nullptr;
    out.commentAbove = Scan(lexed, 0, nullptr);
    m_hereDocStarts = nullptr;
  }
  if (opened.empty()) return NextBlock(out, line);
  out.block = LineBlock::kHereDoc;
  out.hereDocs = m_hereDocs.Number(opened);
  return out;
}

// The block after `line` when it opened no heredoc.
LineState PerlLexer::NextBlock(LineState state, std::string_view line) {
  switch (state.block) {
    case LineBlock::kCode:
      if (IsPodCommand(line) && !IsPodEnd(line)) state.block = LineBlock::kPod;
      if (IsDataMarker(line)) state.block = LineBlock::kData;
      break;
    case LineBlock::kPod:
      if (IsPodEnd(line)) state.block = LineBlock::kCode;
      break;
    case LineBlock::kHereDoc: {
      const std::vector<HereDoc>& pending = m_hereDocs.Pending(state.hereDocs);
      // A terminator comes from a lexed part, so a longer line is none (with
      // "<<~", not even after more than kLexedPrefix blanks).
      if (!pending.empty() && line.size() <= kLexedPrefix && EndsHereDoc(pending.front(), line)) {
        state.hereDocs = m_hereDocs.AfterFirst(state.hereDocs);
        if (state.hereDocs == 0) state.block = LineBlock::kCode;
      }
      break;
    }
    case LineBlock::kData:
      break;
  }
  return state;
}

void PerlLexer::CodeWords(LineState state, std::string_view line, std::vector<WordSpan>& words) {
  words.clear();
  if (state.block != LineBlock::kCode || IsPodCommand(line)) return;
  m_words = &words;
  Scan(line.substr(0, kLexedPrefix), 0, nullptr);
  m_words = nullptr;
}

bool PerlLexer::Scan(std::string_view line, std::size_t lineStart, std::vector<TextRun>* runs) {
  m_line = line;
  m_nLineStart = lineStart;
  m_nPos = -1;
  m_bCommentSeen = false;
  m_bAfterOperand = false;
  m_bLineEnd = false;
  m_rules.Clear();
  m_run.Begin(runs, LexClass::kText);
  while (!m_bLineEnd) m_rules.Token(*this);
  m_run.Flush();
  return m_bCommentSeen;
}

void PerlLexer::DispatchToken() {
  if (StepForward()) m_rules.Dispatch(*this, Cur());
}

void PerlLexer::Comment() {
  m_bCommentSeen = true;
  do Paint(LexClass::kComment);
  while (StepForward());
}

// A lead byte takes the byte after it along, whatever it is, and the pair is
// marked when that byte is 5C.
void PerlLexer::Other(unsigned char c) {
  if (c == '<' && m_hereDocStarts) HereDocStart();
  Plain();
  if (IsLeadByte(c) && StepForward()) {
    Plain();
    if (Cur() == 0x5C) MarkAt(m_nPos - 1);
  }
  m_bAfterOperand = false;
}

// A lead byte waits for its trail byte so that the character is painted
// whole; a lead byte without a valid trail is left unpainted.
void PerlLexer::String(unsigned char quote) {
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

// Cursor on a "<" of code. The introducer is only noted: its bytes are
// coloured as they always were.
void PerlLexer::HereDocStart() {
  const auto at = static_cast<std::size_t>(m_nPos);
  if (at + 1 >= m_line.size() || m_line[at + 1] != '<') return;
  if (at > 0 && m_line[at - 1] == '<') return;
  if (auto doc = ReadHereDocIntroducer(m_line.substr(at + 2))) m_hereDocStarts->push_back(std::move(*doc));
}

void PerlLexer::Word() {
  const std::ptrdiff_t start = m_nPos;
  std::size_t length = 1;
  while (StepForward() && IsWordByte(Cur())) {
    if (length == kMaxWord) {
      m_bLineEnd = true;  // nothing after an overlong word is coloured
      break;
    }
    ++length;
  }
  if (m_words) m_words->push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length)});
  const std::size_t index = IndexOf(start);
  if (length == 1 && m_bLineEnd) {
    m_run.AddChar(static_cast<unsigned char>(m_line[static_cast<std::size_t>(start)]), LexClass::kText, index);
    return;
  }
  const std::string_view word = m_line.substr(static_cast<std::size_t>(start), length);
  const PerlWord kind = ClassifyPerlWord(word, m_bLineEnd, m_bLineEnd ? 0 : Cur());
  m_run.AddString(length, kind == PerlWord::kPlain ? LexClass::kText : LexClass::kKeyword, index);
  if (kind == PerlWord::kQuoteLike || kind == PerlWord::kQuoteLikeTwoPart) {
    m_rules.QuoteLike(*this, kind == PerlWord::kQuoteLikeTwoPart);
    return;
  }
  if (!m_bLineEnd) StepBack();
  m_bAfterOperand = false;
}

}  // namespace corvella
