// The Perl colouring tokenizer: the bytes of one line in, classified runs and the comment flag out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace corvella {

// What a run is coloured as; the view maps each class to one of its colours.
enum class LexClass : std::uint8_t {
  kText,     // plain text colour
  kKeyword,  // keywords, built-in functions, names of quote-like operators
  kComment,
  kString,
  kPattern,  // /.../ and the bodies of m q qq qx s y tr
  kSubCall,  // &name
  // "＿" (the two bytes 81 51) drawn in the comment colour over a double-byte
  // character whose trail byte is 5C; always comes after the run that holds
  // that character, and overlaps it.
  kMark,
};

// Bytes [start, start + length) of the text, indexes counted like the line's
// `lineStart`. Bytes that no run covers (tabs, and the few the scanner skips)
// keep the text colour.
struct LexRun {
  std::size_t start = 0;
  std::size_t length = 0;
  LexClass cls = LexClass::kText;
  bool operator==(const LexRun&) const = default;
};

// The pending run of same-class bytes. Unlike a painter that draws over the
// control's own glyphs, it must keep a run to contiguous bytes, so a byte
// the scanner skips also ends the run.
class ColourRun {
 public:
  void Begin(std::vector<LexRun>* out, LexClass cls, bool enabled);
  // A TAB ends the run and is itself in no run: text is never drawn across a tab.
  void AddChar(unsigned char c, LexClass cls, std::size_t index);
  // `length` bytes at `index`, without the TAB rule.
  void AddString(std::size_t length, LexClass cls, std::size_t index);
  void Flush();

 private:
  void Append(std::size_t length, LexClass cls, std::size_t index);

  bool bEnabled = false;  // no runs at all while colouring is off
  std::vector<LexRun>* m_out = nullptr;
  LexClass m_cls = LexClass::kText;
  std::size_t nStart = 0;
  std::size_t m_length = 0;
};

// Scans one line at a time; nothing is carried from one line to the next.
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
  bool LexLine(std::string_view line, std::size_t lineStart, std::vector<LexRun>& runs);

  // Longest word looked up; a longer one ends the scan of its line.
  static constexpr std::size_t kMaxWord = 1023;

 private:
  // A variable or `&` call whose name is still being read, possibly inside
  // its subscript or argument list. Kept on a stack of our own rather than
  // the machine's, so that deeply nested brackets cannot exhaust it.
  struct Frame {
    bool isCall = false;
    unsigned char closer = 0;  // "]", "}" or ")" while inside brackets, else 0
  };

  void LexToken();
  void DispatchToken();
  void ResumeFrame();
  void EndFrame();
  void LexComment();
  void LexNumber();
  void LexVariable();
  void LexSubCall();
  void LexString(unsigned char quote);
  void LexPattern(bool twoPart, unsigned char delimiter);
  void LexWord();

  bool StepForward();
  void StepBack() { --m_nPos; }
  unsigned char Cur() const { return static_cast<unsigned char>(m_line[static_cast<std::size_t>(m_nPos)]); }
  std::size_t IndexOf(std::ptrdiff_t pos) const { return m_nLineStart + static_cast<std::size_t>(pos); }
  void Paint(LexClass cls) { m_run.AddChar(Cur(), cls, IndexOf(m_nPos)); }
  void MarkAt(std::ptrdiff_t leadPos) { m_run.AddString(2, LexClass::kMark, IndexOf(leadPos)); }

  bool m_bStress = true;
  bool m_bLineEnd = false;
  bool m_bAfterOperand = false;
  bool m_bCommentSeen = false;
  std::string_view m_line;
  std::size_t m_nLineStart = 0;
  std::ptrdiff_t m_nPos = -1;  // offset in the line of the byte under the cursor
  ColourRun m_run;
  std::vector<Frame> m_frames;
};

}  // namespace corvella
