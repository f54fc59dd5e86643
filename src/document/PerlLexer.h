// The Perl colouring tokenizer: the bytes of one line in, classified runs and the comment flag out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "document/HereDocTable.h"
#include "document/PerlTokenRules.h"
#include "document/TextRun.h"

namespace corvella {

// Lines that are no code. Colouring ignores them (each line is coloured
// alone); the sub list must not read declarations in them.
enum class LineBlock : std::uint8_t {
  kCode,
  kPod,      // from a line "=word" to the next line "=cut"
  kHereDoc,  // the bodies of the heredocs an earlier line opened
  kData,     // after a line "__END__" or "__DATA__"
};

// What the scan of the lines above hands on to a line: whether the last
// line that was not empty held a comment (auto indent asks it, whatever the
// block), and the block the line is in. An empty line passes on what it was
// given, unless it ends a heredoc whose terminator is empty.
// Four bytes: a large script keeps one per line.
struct LineState {
  bool commentAbove : 1 = false;
  LineBlock block : 7 = LineBlock::kCode;
  std::uint32_t hereDocs : 24 = 0;  // in kHereDoc: the pending bodies, numbered by the lexer's HereDocTable
  bool operator==(const LineState&) const = default;
};
static_assert(sizeof(LineState) == 4);

// A word of code: bytes [start, start + length) of its line. 32 bits
// suffice (no text grows past EditBuffer::kMaxTextLimit) and halve what the
// words of a very long line take.
struct WordSpan {
  std::uint32_t start = 0;
  std::uint32_t length = 0;
};

// The pending run of same-class bytes. Unlike a painter that draws over the
// control's own glyphs, it must keep a run to contiguous bytes, so a byte
// the scanner skips also ends the run.
class ColourRun {
 public:
  // `out` may be null while colouring is off: then no runs at all.
  void Begin(std::vector<TextRun>* out, LexClass cls);
  // A TAB ends the run and is itself in no run: text is never drawn across a tab.
  void AddChar(unsigned char c, LexClass cls, std::size_t index);
  // `length` bytes at `index`, without the TAB rule.
  void AddString(std::size_t length, LexClass cls, std::size_t index);
  void Flush();

 private:
  void Append(std::size_t length, LexClass cls, std::size_t index);

  std::vector<TextRun>* m_out = nullptr;
  LexClass m_cls = LexClass::kText;
  std::size_t nStart = 0;
  std::size_t m_length = 0;
};

// Scans one line at a time; a line's runs depend on nothing but its bytes.
// A NUL byte is an ordinary byte.
class PerlLexer {
 public:
  // Colouring switched off still scans, so the comment flag stays right, but
  // produces no runs.
  void SetStress(bool on) { m_bStress = on; }
  bool Stress() const { return m_bStress; }

  // `line` holds the line's bytes without its line end; `lineStart` is the
  // index of its first byte in the text. `runs` is replaced by the line's
  // runs, in drawing order. Answers whether the line contains a comment.
  bool LexLine(std::string_view line, std::size_t lineStart, std::vector<TextRun>& runs);

  // The state the next line starts with, after `line` started with `in`.
  // Heredoc numbers are this lexer's own: states of one lexer compare. No
  // byte past kLexedPrefix + 1 is read, so a caller may pass no more.
  LineState NextLineState(LineState in, std::string_view line);

  // The words of `line` that are code, in order, for a line that starts in
  // `state`: none in POD, a heredoc's body or data, or in a string, comment
  // or pattern. Only the first kLexedPrefix bytes are read.
  void CodeWords(LineState state, std::string_view line, std::vector<WordSpan>& words);

  // Longest word looked up; a longer one ends the scan of its line.
  static constexpr std::size_t kMaxWord = 1023;
  // A line is read as far as this. Past it a longer line is plain text to the
  // colouring, the sub list and the state handed on to the next line alike,
  // so that typing on a line of megabytes never rescans it whole. The price:
  // a heredoc opened past it is not seen (the lines after it read as code),
  // nor a comment begun past it (auto indent's comment flag).
  static constexpr std::size_t kLexedPrefix = 64 * 1024;

 private:
  friend class PerlTokenRules<PerlLexer>;

  bool Scan(std::string_view line, std::size_t lineStart, std::vector<TextRun>* runs);

  // What PerlTokenRules asks of a scanner. Once the line has ended (or a
  // word was too long) the cursor never moves again, so every loop that
  // asks for one more byte stops.
  bool StepForward() { return perlbytes::StepOn(m_line, m_nPos, m_bLineEnd); }
  void StepBack() { --m_nPos; }
  unsigned char Cur() const { return static_cast<unsigned char>(m_line[static_cast<std::size_t>(m_nPos)]); }
  bool AfterOperand() const { return m_bAfterOperand; }
  void SetAfterOperand(bool on) { m_bAfterOperand = on; }
  void DispatchToken();
  void Comment();
  void String(unsigned char quote);
  void Word();
  void Other(unsigned char c);
  void Plain() { Paint(LexClass::kText); }
  void NameByte(bool isCall) { Paint(isCall ? LexClass::kSubCall : LexClass::kText); }
  void NameBracket(bool, bool) { Plain(); }
  void Ampersand(bool isCall) {
    m_run.AddChar('&', isCall ? LexClass::kSubCall : LexClass::kText, IndexOf(m_nPos - 1));
  }
  void NameEnd(bool) {}
  void PatternStart() { Paint(LexClass::kPattern); }
  void PatternByte() { Paint(LexClass::kPattern); }
  void PatternEnd() {}

  std::size_t IndexOf(std::ptrdiff_t pos) const { return m_nLineStart + static_cast<std::size_t>(pos); }
  void Paint(LexClass cls) { m_run.AddChar(Cur(), cls, IndexOf(m_nPos)); }
  void MarkAt(std::ptrdiff_t leadPos) { m_run.AddString(2, LexClass::kMark, IndexOf(leadPos)); }

  LineState NextBlock(LineState in, std::string_view line);
  void HereDocStart();

  bool m_bStress = true;
  bool m_bLineEnd = false;
  bool m_bAfterOperand = false;
  bool m_bCommentSeen = false;
  std::string_view m_line;
  std::size_t m_nLineStart = 0;
  std::ptrdiff_t m_nPos = -1;  // offset in the line of the byte under the cursor
  ColourRun m_run;
  PerlTokenRules<PerlLexer> m_rules;
  // Filled by a scan while set; no colouring scan sets them.
  std::vector<WordSpan>* m_words = nullptr;
  std::vector<HereDoc>* m_hereDocStarts = nullptr;
  HereDocTable m_hereDocs;
};

}  // namespace corvella
