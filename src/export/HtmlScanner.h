// The HTML export's token scanner: one left-to-right pass over the script that writes the coloured page body.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "document/PerlTokenRules.h"

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
  friend class PerlTokenRules<HtmlScanner>;

  bool Advance();
  void Unget();
  unsigned char Cur() const { return static_cast<unsigned char>(m_text[static_cast<std::size_t>(cursor)]); }
  void WriteChar();
  void Put(std::string_view s) { m_out->append(s); }
  void Put(char c) { m_out->push_back(c); }
  void OpenSpan(const std::string& colour);
  void CloseSpan();

  // What PerlTokenRules asks of a scanner. Only a call's own name is ever
  // in a span while a name is read: tokens inside brackets close theirs
  // before they return.
  bool StepForward() { return Advance(); }
  void StepBack() { Unget(); }
  bool AfterOperand() const { return afterOperand; }
  void SetAfterOperand(bool on) { afterOperand = on; }
  void DispatchToken();
  void Comment() { ScanComment(); }
  void String(unsigned char quote) { ScanString(quote); }
  void Word() { ScanWord(); }
  void Other(unsigned char c);
  void Plain() { WriteChar(); }
  void NameByte(bool) { WriteChar(); }
  void NameBracket(bool opening, bool isCall) {
    if (opening && isCall && m_spanOpen) CloseSpan();
    WriteChar();
  }
  void Ampersand(bool isCall);
  void NameEnd(bool isCall) {
    if (isCall && m_spanOpen) CloseSpan();
  }
  void PatternStart();
  void PatternByte() { WriteChar(); }
  void PatternEnd() { CloseSpan(); }

  void ScanComment();
  void ScanString(unsigned char quote);
  void ScanWord();
  void ScanHereDocStart();
  void ScanHereDocBody();

  const HtmlColours& m_colours;
  std::string_view m_text;
  std::string* m_out = nullptr;
  bool m_spanOpen = false;
  PerlTokenRules<HtmlScanner> m_rules;

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
