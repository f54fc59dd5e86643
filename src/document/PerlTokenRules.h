// The token rules both Perl scanners (colouring, HTML export) share: the choice by first byte, numbers, and
// variable and "&" call names with their subscripts and argument lists.
#pragma once

#include <vector>

#include "document/PerlByteClasses.h"

namespace corvella {

// `Scanner` moves the cursor (`bool StepForward()`, false once the input has
// ended; `void StepBack()`; `unsigned char Cur()`), keeps the operand flag
// (`bool AfterOperand()`, `void SetAfterOperand(bool)`), scans one token
// (`void DispatchToken()`, which reads the first byte and hands it to
// Dispatch unless a rule of its own applies) and owns the rules that differ:
// `Comment()`, `String(quote)`, `Word()` and `Other(c)` for a byte no rule
// here takes. It says what becomes of the bytes read here: `Plain()` for a
// byte of no colour; `NameByte(isCall)`, `NameBracket(opening, isCall)` for
// a bracket of a subscript or argument list, `Ampersand(isCall)` for the "&"
// (the cursor already past it) and `NameEnd(isCall)` when a name is over;
// `PatternStart()` on the opening delimiter of a pattern, `PatternByte()`
// for each byte after it, the closing delimiter included, and
// `PatternEnd()` after that.
template <class Scanner>
class PerlTokenRules {
 public:
  void Clear() { m_frames.clear(); }

  // One token, then whatever the names it opened go on to take in.
  void Token(Scanner& s) {
    s.DispatchToken();
    while (!m_frames.empty()) Resume(s);
  }

  // The first matching rule for the byte `c` under the cursor.
  void Dispatch(Scanner& s, unsigned char c) {
    switch (c) {
      case '#':
        s.Comment();
        return;
      case '$': case '@': case '%': case '*': case '\\':
        Variable(s);
        return;
      case '&':
        Call(s);
        return;
      case '"': case '\'':
        s.String(c);
        s.SetAfterOperand(true);
        return;
      case '/':
        if (s.AfterOperand()) {
          s.Plain();  // division
        } else {
          QuoteLike(s, false);
        }
        return;
      case ' ': case '\t':
        s.Plain();
        return;
      case ')': case ']':
        s.Plain();
        s.SetAfterOperand(true);
        return;
      default:
        break;
    }
    if (perlbytes::IsDigit(c)) {
      s.Plain();
      PlainWhile(s, [](unsigned char d) { return perlbytes::IsNameByte(d) || d == '.'; });
      s.SetAfterOperand(true);
    } else if (perlbytes::IsLetter(c)) {
      s.Word();
    } else {
      s.Other(c);
    }
  }

  // Cursor on the delimiter of a pattern or a quote-like operator (two parts
  // for s y tr). The closing delimiter is the opening byte itself: bracket
  // pairs are not matched, so "q{abc}" runs on to the next "{". Letters
  // after it are the modifiers, in no colour.
  void QuoteLike(Scanner& s, bool twoPart) {
    perlbytes::DelimitedBody body(s.Cur());
    s.PatternStart();
    while (s.StepForward()) {
      const bool closes = body.Next(s.Cur()) == perlbytes::DelimitedBody::Byte::kDelimiter;
      s.PatternByte();
      if (!closes) continue;
      if (twoPart) {
        twoPart = false;
        continue;
      }
      s.PatternEnd();
      PlainWhile(s, perlbytes::IsLetter);
      break;
    }
    s.SetAfterOperand(true);
  }

  // Takes the following bytes of no colour while `take` accepts them; the
  // first other byte is given back.
  template <class Take>
  static void PlainWhile(Scanner& s, Take take) {
    while (s.StepForward()) {
      if (!take(s.Cur())) {
        s.StepBack();
        return;
      }
      s.Plain();
    }
  }

 private:
  // A name still being read, possibly inside its brackets. Kept on a stack
  // of our own rather than the machine's, so that deeply nested brackets
  // cannot exhaust it.
  struct Frame {
    bool isCall = false;
    unsigned char closer = 0;  // "]", "}" or ")" while inside brackets, else 0
  };

  // Cursor on the sigil. The byte after it is taken whatever it is, so
  // "$#", "$$", "${" and "@{" never start a comment or a subscript.
  void Variable(Scanner& s) {
    s.NameByte(false);
    if (!s.StepForward()) return;
    s.NameByte(false);
    m_frames.push_back({false, 0});
  }

  // Cursor on "&": a call when a letter or "_" follows, else a plain "&".
  void Call(Scanner& s) {
    if (!s.StepForward()) {
      s.Ampersand(false);
      return;
    }
    const unsigned char c = s.Cur();
    if (perlbytes::IsLetter(c) || c == '_') {
      s.Ampersand(true);
      s.NameByte(true);
      m_frames.push_back({true, 0});
      return;
    }
    s.Ampersand(false);
    s.StepBack();
    s.SetAfterOperand(false);
  }

  // Reads on in the innermost name until it ends or hands one token inside
  // its brackets to DispatchToken (which may open a name of its own; Token
  // then resumes that one first).
  void Resume(Scanner& s) {
    Frame& f = m_frames.back();
    for (;;) {
      if (!s.StepForward()) {
        End(s);
        return;
      }
      const unsigned char c = s.Cur();
      if (f.closer != 0) {
        if (c == f.closer) {
          s.NameBracket(false, f.isCall);
          f.closer = 0;
          continue;
        }
        s.StepBack();
        s.DispatchToken();
        return;
      }
      if (perlbytes::IsNameByte(c) || c == '_' || c == '\'' || c == ':') {
        s.NameByte(f.isCall);
      } else if (!f.isCall && (c == '[' || c == '{')) {
        s.NameBracket(true, false);
        f.closer = c == '[' ? ']' : '}';
      } else if (f.isCall && c == '(') {
        s.NameBracket(true, true);
        f.closer = ')';
      } else {
        s.StepBack();
        End(s);
        return;
      }
    }
  }

  void End(Scanner& s) {
    s.NameEnd(m_frames.back().isCall);
    m_frames.pop_back();
    s.SetAfterOperand(true);
  }

  std::vector<Frame> m_frames;
};

}  // namespace corvella
