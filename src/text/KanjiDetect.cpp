// Recognising the Japanese encoding of a text from its bytes: five byte-pattern tests and their verdict.
#include "text/KanjiDetect.h"

#include <cstdint>
#include <cstring>

#include "text/ByteScan.h"
#include "text/SjisBytes.h"

namespace corvella {
namespace {

using bytescan::Block64;
using bytescan::kBlock;
using bytescan::PairFirsts;
using Bytes = const unsigned char*;

Bytes Data(std::string_view text) { return reinterpret_cast<Bytes>(text.data()); }

bool IsAsciiByte(unsigned c) { return InRange(c, 0x20, 0x7F) || c == '\t' || c == '\n' || c == '\r'; }

// Narrower than IsSjisLeadByte: rows EB, EC and EF..F9 hold no characters or only user-defined ones.
bool IsSjisLead(unsigned c) {
  return InRange(c, 0x81, 0x9F) || InRange(c, 0xE0, 0xEA) || c == 0xED || c == 0xEE || InRange(c, 0xFA, 0xFC);
}
bool IsSjisBadSingle(unsigned c) { return c == 0xA0 || c >= 0xFD; }

bool IsEucKanji(unsigned c) { return InRange(c, 0xA1, 0xFE); }
bool IsEucKanaSecond(unsigned c) { return InRange(c, 0x21, 0x5F) || InRange(c, 0xA1, 0xDF); }

bool IsUtf8Cont(unsigned c) { return InRange(c, 0x80, 0xBF); }

// The scalar walks below check what is left after the block loops (or the
// whole text where there are no vector instructions), starting with a pair or
// sequence that the last block left open.

bool SjisTail(Bytes p, std::size_t n, bool pendingSecond) {
  std::size_t i = 0;
  if (pendingSecond) {
    if (n == 0 || !IsSjisTrailByte(p[0])) return false;
    i = 1;
  }
  while (i < n) {
    const unsigned c = p[i];
    if (IsSjisLead(c)) {
      if (i + 1 >= n || !IsSjisTrailByte(p[i + 1])) return false;
      i += 2;
    } else {
      if (IsSjisBadSingle(c)) return false;
      ++i;
    }
  }
  return true;
}

// `pendingLead` is the first byte of a pair whose second byte is p[0], or 0.
bool EucTail(Bytes p, std::size_t n, unsigned pendingLead) {
  std::size_t i = 0;
  if (pendingLead != 0) {
    if (n == 0) return false;
    if (pendingLead == 0x8E ? !IsEucKanaSecond(p[0]) : !IsEucKanji(p[0])) return false;
    i = 1;
  }
  while (i < n) {
    const unsigned c = p[i];
    if (c < 0x80) {
      ++i;
    } else if (IsEucKanji(c)) {
      if (i + 1 >= n || !IsEucKanji(p[i + 1])) return false;
      i += 2;
    } else if (c == 0x8E) {
      if (i + 1 >= n || !IsEucKanaSecond(p[i + 1])) return false;
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

// `pending` continuation bytes are still owed at p[0].
bool Utf8Tail(Bytes p, std::size_t n, std::size_t pending) {
  if (pending > n) return false;
  for (std::size_t k = 0; k < pending; ++k)
    if (!IsUtf8Cont(p[k])) return false;
  std::size_t i = pending;
  while (i < n) {
    const unsigned c = p[i];
    if (c < 0x80) {
      ++i;
    } else if (InRange(c, 0xC2, 0xDF)) {
      if (i + 1 >= n || !IsUtf8Cont(p[i + 1])) return false;
      i += 2;
    } else if (InRange(c, 0xE0, 0xEF)) {
      if (i + 2 >= n || !IsUtf8Cont(p[i + 1]) || !IsUtf8Cont(p[i + 2])) return false;
      i += 3;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsPlainAscii(std::string_view text) {
  const Bytes p = Data(text);
  const std::size_t n = text.size();
  std::size_t i = 0;
  for (; i + kBlock <= n; i += kBlock) {
    const Block64 b(p + i);
    const std::uint64_t ok = b.InRange(0x20, 0x7F) | b.Eq('\t') | b.Eq('\n') | b.Eq('\r');
    if (~ok != 0) return false;
  }
  for (; i < n; ++i)
    if (!IsAsciiByte(p[i])) return false;
  return true;
}

bool HasJisEscape(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const void* esc = std::memchr(p, 0x1B, static_cast<std::size_t>(end - p));
    if (!esc) return false;
    p = static_cast<const char*>(esc) + 1;
    if (p < end && (*p == '$' || *p == '(')) return true;
  }
  return false;
}

bool IsEucText(std::string_view text) {
  const Bytes p = Data(text);
  const std::size_t n = text.size();
  std::size_t i = 0;
  std::uint64_t carry = 0;     // byte i is the second byte of a pair
  std::uint64_t kanaCarry = 0; // ... and that pair began with 8E
  for (; i + kBlock <= n; i += kBlock) {
    const Block64 b(p + i);
    const std::uint64_t high = b.High();
    if (high == 0 && carry == 0) continue;
    const std::uint64_t kanji = b.InRange(0xA1, 0xFE);
    const std::uint64_t ss2 = b.Eq(0x8E);
    const std::uint64_t carryIn = carry;
    std::uint64_t second;
    const std::uint64_t first = PairFirsts(high, carry, second);
    // Every byte from 80 up opens a pair; those that may open one are A1..FE and 8E.
    std::uint64_t bad = first & ~(kanji | ss2);
    const std::uint64_t afterSs2 = ((first & ss2) << 1) | (carryIn & kanaCarry);
    bad |= second & ~afterSs2 & ~kanji;
    bad |= afterSs2 & ~(b.InRange(0x21, 0x5F) | b.InRange(0xA1, 0xDF));
    if (bad) return false;
    kanaCarry = (first & ss2) >> 63;
  }
  const unsigned pendingLead = carry ? (kanaCarry ? 0x8E : 0xA1) : 0;
  return EucTail(p + i, n - i, pendingLead);
}

bool IsUtf8Text(std::string_view text) {
  const Bytes p = Data(text);
  const std::size_t n = text.size();
  std::size_t i = 0;
  std::uint64_t owed = 0;  // continuation bytes required at the start of this block
  for (; i + kBlock <= n; i += kBlock) {
    const Block64 b(p + i);
    const std::uint64_t high = b.High();
    if (high == 0 && owed == 0) continue;
    const std::uint64_t cont = b.InRange(0x80, 0xBF);
    const std::uint64_t two = b.InRange(0xC2, 0xDF);
    const std::uint64_t three = b.InRange(0xE0, 0xEF);
    // Every continuation byte must be owed by a lead byte and every owed byte
    // must be one; other high bytes (C0, C1, F0..FF) never pass.
    const std::uint64_t required = ((two | three) << 1) | (three << 2) | owed;
    if ((required ^ cont) | (high & ~(cont | two | three))) return false;
    owed = ((two | three) >> 63) | ((three >> 62) & 1) | ((three >> 63) << 1);
  }
  const std::size_t pending = (owed & 2) ? 2 : (owed & 1);
  return Utf8Tail(p + i, n - i, pending);
}

bool IsSjisText(std::string_view text) {
  const Bytes p = Data(text);
  const std::size_t n = text.size();
  std::size_t i = 0;
  std::uint64_t carry = 0;
  for (; i + kBlock <= n; i += kBlock) {
    const Block64 b(p + i);
    const std::uint64_t high = b.High();
    if (high == 0 && carry == 0) continue;
    const std::uint64_t lead = b.InRange(0x81, 0x9F) | b.InRange(0xE0, 0xEA) | b.InRange(0xED, 0xEE) |
                               b.InRange(0xFA, 0xFC);
    std::uint64_t second;
    PairFirsts(lead, carry, second);
    const std::uint64_t secondOk = b.InRange(0x40, 0xFC) & ~b.Eq(0x7F);
    const std::uint64_t badSingle = b.Eq(0xA0) | b.InRange(0xFD, 0xFF);
    if ((second & ~secondOk) | (~second & badSingle)) return false;
  }
  return SjisTail(p + i, n - i, carry != 0);
}

int KanjiDetect(std::string_view text) {
  if (IsPlainAscii(text)) return kDetectAscii;
  if (HasJisEscape(text)) return kDetectJis;
  if (IsEucText(text)) return kDetectEuc;
  if (IsUtf8Text(text)) return kDetectUtf8;
  if (IsSjisText(text)) return kDetectSjis;
  return kDetectUnknown;
}

namespace {

// Whether `piece`, whose KanjiDetect gave `detection`, passes the EUC-JP,
// UTF-8 or Shift_JIS test `test`. Its verdict is the first of the three it
// passes (all three for plain ASCII), so only a later one needs running.
bool PiecePasses(std::string_view piece, int detection, int test) {
  if (detection == kDetectAscii || detection == test) return true;
  // The order the tests run in: a verdict later than `test` means it failed.
  const auto rank = [](int d) { return d == kDetectEuc ? 0 : d == kDetectUtf8 ? 1 : d == kDetectSjis ? 2 : 3; };
  if (rank(detection) > rank(test)) return false;
  return test == kDetectUtf8 ? IsUtf8Text(piece) : IsSjisText(piece);
}

}  // namespace

int CombineDetections(std::string_view first, int firstDetection, std::string_view second, int secondDetection) {
  if (firstDetection == kDetectAscii && secondDetection == kDetectAscii) return kDetectAscii;
  if (firstDetection == kDetectJis || secondDetection == kDetectJis) return kDetectJis;
  for (const int test : {kDetectEuc, kDetectUtf8, kDetectSjis}) {
    if (PiecePasses(first, firstDetection, test) && PiecePasses(second, secondDetection, test)) return test;
  }
  return kDetectUnknown;
}

int EncodingCodeFromDetection(int detection, int current) {
  switch (detection) {
    case kDetectEuc: return kEncodingEuc;
    case kDetectSjis: return kEncodingSjis;
    case kDetectJis: return kEncodingJis;
    case kDetectUtf8: return kEncodingUtf8;
    default: return current;
  }
}

}  // namespace corvella
