// The HTML export's token scanner: one left-to-right pass over the script that writes the coloured page body.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

struct HtmlColours;

// The state of one export run; it differs from the colouring tokenizer (it
// reads across lines, knows here-documents, expands tabs).
class HtmlScanner {
 public:
  // `colours` must outlive the scanner. `tabWidth` is at least 1.
  HtmlScanner(const HtmlColours& colours, int tabWidth);

  // Appends to `out` the body for `text` (LF line ends; every byte,
  // NUL included, is part of the text), each line feed written as CR LF.
  // A colour span still open at the end of the text is closed.
  void Run(std::string_view text, std::string& out);

  // Word, here-document terminator and here-document line buffers.
  static constexpr std::size_t kBufferSize = 1024;

 private:
  // A variable or `&` call whose name is still being read, possibly inside
  // its subscript or argument list. Kept on a stack of our own rather than
  // the machine's, so that deeply nested brackets cannot exhaust it.
  struct Frame {
    bool isCall = false;
    unsigned char closer = 0;  // "]", "}" or ")" while inside brackets, else 0
  };

  bool Advance();
  void Unget();
  unsigned char Cur() const { return static_cast<unsigned char>(m_text[static_cast<std::size_t>(cursor)]); }
  void WriteChar();
  void Put(std::string_view s) { m_out->append(s); }
  void Put(char c) { m_out->push_back(c); }
  void OpenSpan(const std::string& colour);
  void CloseSpan();

  void ScanToken();
  void DispatchToken();
  void ResumeFrame();
  void EndFrame();
  void ScanComment();
  void ScanString(unsigned char quote);
  void ScanNumber();
  void ScanVariable();
  void ScanSubCall();
  void ScanWord();
  void ScanQuoteLike(bool twoPart);
  void ScanHereDocStart();
  void ScanHereDocBody();

  const HtmlColours& m_colours;
  std::string_view m_text;
  std::string* m_out = nullptr;
  bool m_spanOpen = false;
  std::vector<Frame> m_frames;

  std::ptrdiff_t cursor = -1;  // the byte last read
  int column = -1;             // of the byte under the cursor, modulo tabWidth
  int tabWidth;
  std::size_t lineCount = 0;  // line feeds read so far
  bool atEnd = false;
  bool afterOperand = false;  // a "/" now divides
  std::string hereDocTerm;    // pending here-document terminator; empty when none
  std::size_t hereDocLine = 0;
  bool hereDocBlankEnd = false;  // the "<< x" form: the body ends at an empty line
};

}  // namespace corvella
