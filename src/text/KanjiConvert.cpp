// Byte-arithmetic conversion between Shift_JIS and EUC-JP / JIS (ISO-2022-JP with half-width katakana).
//
// Each converter is one forward pass. Where vector instructions are available
// the text goes in blocks of 64 bytes: the byte classes and pair boundaries of
// a block come out of bit masks (see bytescan::PairFirsts), the bytes are
// converted 16 at a time (32 for JIS where the processor has AVX2), and only
// the bytes that appear or disappear (escape sequences, the 8E of half-width
// katakana) are walked one by one.
// Japanese text switches between ASCII, kanji and katakana every dozen bytes
// or so, which a byte-at-a-time loop pays for in mispredicted branches. What
// is left at the end of the text goes through the plain scalar walk, which is
// also the whole converter elsewhere; both follow the same arithmetic.
#include "text/KanjiConvert.h"

#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>

#include "text/ByteScan.h"
#include "text/SjisBytes.h"

#if defined(__SSE2__) && defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define CORVELLA_KANJI_AVX2 1
#define CORVELLA_TARGET_AVX2 __attribute__((target("avx2")))
#endif

namespace corvella {
namespace {

using bytescan::CopyAscii;
using bytescan::kHighBits;
using bytescan::Load64;
using bytescan::Store64;
using Byte = unsigned char;

constexpr Byte kEsc = 0x1B;
constexpr Byte kSo = 0x0E;  // enter half-width katakana
constexpr Byte kSi = 0x0F;  // enter ASCII

bool IsSjisKana(unsigned c) { return InRange(c, 0xA1, 0xDF); }

// The pair arithmetic, modulo 256 throughout (results are stored as bytes), so
// that any two bytes give two bytes.

inline void JisPairToSjis(unsigned j1, unsigned j2, Byte* out) {
  const unsigned h = j1 >> 1;
  if (j1 & 1) {
    out[0] = static_cast<Byte>(h < 0x2F ? h + 0x71 : h - 0x4F);
    out[1] = static_cast<Byte>(j2 <= 0x5F ? j2 + 0x1F : j2 + 0x20);
  } else {
    out[0] = static_cast<Byte>(h <= 0x2F ? h + 0x70 : h - 0x50);
    out[1] = static_cast<Byte>(j2 + 0x7E);
  }
}

inline void SjisPairToJis(unsigned s1, unsigned s2, Byte* out) {
  const unsigned t = (s1 * 2) & 0xFF;
  if (s2 < 0x9F) {
    out[0] = static_cast<Byte>(t < 0x3F ? t + 0x1F : t - 0x61);
    out[1] = static_cast<Byte>(s2 > 0x7E ? s2 - 0x20 : s2 - 0x1F);
  } else {
    out[0] = static_cast<Byte>(t < 0x3F ? t + 0x20 : t - 0x60);
    out[1] = static_cast<Byte>(s2 - 0x7E);
  }
}

inline void EucPairToSjis(unsigned e1, unsigned e2, Byte* out) {
  const unsigned h = e1 >> 1;
  if (e1 & 1) {
    out[0] = static_cast<Byte>(h < 0x6F ? h + 0x31 : h + 0x71);
    out[1] = static_cast<Byte>(e2 > 0xDF ? e2 - 0x60 : e2 - 0x61);
  } else {
    out[0] = static_cast<Byte>(h <= 0x6F ? h + 0x30 : h + 0x70);
    out[1] = static_cast<Byte>(e2 - 2);
  }
}

inline void SjisPairToEuc(unsigned s1, unsigned s2, Byte* out) {
  const unsigned t = (s1 * 2) & 0xFF;
  if (s2 < 0x9F) {
    out[0] = static_cast<Byte>(t < 0x3F ? t - 0x61 : t + 0x1F);
    out[1] = static_cast<Byte>(s2 > 0x7E ? s2 + 0x60 : s2 + 0x61);
  } else {
    out[0] = static_cast<Byte>(t < 0x3F ? t - 0x60 : t + 0x20);
    out[1] = static_cast<Byte>(s2 + 2);
  }
}

// The second byte of an EUC-JP pair 8E b2: half-width katakana.
inline Byte EucKana(unsigned b2) { return static_cast<Byte>(InRange(b2, 0x21, 0x5F) ? b2 + 0x80 : b2); }


enum JisMode : int { kModeAscii = 0, kModeKanji = 1, kModeKana = 2 };

// The shift state an escape sequence ESC b1 b2 selects, or -1 for an unknown one.
inline int EscapeMode(unsigned b1, unsigned b2) {
  if (b1 == '$') return b2 == 'B' || b2 == '@' ? kModeKanji : -1;
  if (b1 == '(') return b2 == 'B' || b2 == 'J' ? kModeAscii : b2 == 'I' ? kModeKana : -1;
  return -1;
}

inline void PutEscape(Byte* out, std::size_t& w, int mode) {
  out[w] = kEsc;
  out[w + 1] = mode == kModeKanji ? '$' : '(';
  out[w + 2] = mode == kModeKanji ? 'B' : mode == kModeKana ? 'I' : 'B';
  w += 3;
}

// ---- The scalar walks: the whole converter without vector instructions, and
// the end of the text after the blocks. A walk may start on the second byte of
// a pair whose first byte `lead` was a block's last byte (0: no such pair); the
// first byte's own output, if any, is already written.

// Converts JIS from in[r] to out[w] until `stop` (finishing the character
// there); `in` and `out` may be the same buffer. Returns the output length;
// `r` and `mode` are left where the walk ended.
std::size_t JisWalk(const Byte* in, std::size_t n, std::size_t& r, Byte* out, std::size_t w, int& mode,
                    std::size_t stop) {
  while (r < stop) {
    const unsigned c = in[r];
    if (c == kEsc && r + 2 < n) {
      const int next = EscapeMode(in[r + 1], in[r + 2]);
      if (next >= 0) {
        mode = next;
        r += 3;
        continue;
      }
    } else if (c == kSi) {
      mode = kModeAscii;
      ++r;
      continue;
    } else if (c == kSo) {
      mode = kModeKana;
      ++r;
      continue;
    }
    // Any other byte, an unknown escape sequence included, belongs to the current state.
    if (mode == kModeAscii) {
      out[w++] = static_cast<Byte>(c);
      ++r;
    } else if (mode == kModeKana) {
      out[w++] = static_cast<Byte>(c + 0x80);
      ++r;
    } else if (r + 1 == n) {
      out[w++] = static_cast<Byte>(c);  // a first byte cut off by the end stays as it is
      ++r;
    } else {
      // Every pair is converted, control bytes and line ends included.
      JisPairToSjis(c, in[r + 1], out + w);
      w += 2;
      r += 2;
    }
  }
  return w;
}

std::size_t EucWalk(Byte* d, std::size_t n, std::size_t r, std::size_t w, unsigned lead) {
  if (lead != 0) {
    const unsigned c2 = d[r++];
    if (lead == 0x8E) {
      d[w++] = EucKana(c2);
    } else {
      Byte pair[2];
      EucPairToSjis(lead, c2, pair);
      d[w++] = pair[1];
    }
  }
  while (r < n) {
    const unsigned c = d[r];
    if (c < 0x80) {
      CopyAscii(d, n, r, d, w);
      continue;
    }
    if (r + 1 == n) {
      d[w++] = static_cast<Byte>(c);
      break;
    }
    const unsigned c2 = d[r + 1];
    r += 2;
    if (c == 0x8E) {
      d[w++] = EucKana(c2);  // the pair becomes its second byte alone
    } else {
      EucPairToSjis(c, c2, d + w);
      w += 2;
    }
  }
  return w;
}

std::size_t SjisToEucWalk(const Byte* p, std::size_t n, std::size_t r, Byte* o, std::size_t w, unsigned lead) {
  if (lead != 0) {
    Byte pair[2];
    SjisPairToEuc(lead, p[r++], pair);
    o[w++] = pair[1];
  }
  while (r < n) {
    const unsigned c = p[r];
    if (c < 0x80) {
      CopyAscii(p, n, r, o, w);
    } else if (IsSjisKana(c)) {
      o[w] = 0x8E;
      o[w + 1] = static_cast<Byte>(c);
      w += 2;
      ++r;
    } else if (r + 1 == n) {
      o[w++] = static_cast<Byte>(c);
      ++r;
    } else {
      SjisPairToEuc(c, p[r + 1], o + w);
      w += 2;
      r += 2;
    }
  }
  return w;
}

std::size_t SjisToJisWalk(const Byte* p, std::size_t n, std::size_t r, Byte* o, std::size_t w, int mode,
                          unsigned lead) {
  if (lead != 0) {
    Byte pair[2];
    SjisPairToJis(lead, p[r++], pair);
    o[w++] = pair[1];
  }
  while (r < n) {
    const unsigned c = p[r];
    if (c < 0x80) {
      if (mode != kModeAscii) PutEscape(o, w, mode = kModeAscii);
      CopyAscii(p, n, r, o, w);
    } else if (IsSjisKana(c)) {
      if (mode != kModeKana) PutEscape(o, w, mode = kModeKana);
      o[w++] = static_cast<Byte>(c - 0x80);
      ++r;
    } else {
      if (mode != kModeKanji) PutEscape(o, w, mode = kModeKanji);
      if (r + 1 == n) {
        o[w++] = static_cast<Byte>(c);
        ++r;
      } else {
        SjisPairToJis(c, p[r + 1], o + w);
        w += 2;
        r += 2;
      }
    }
  }
  if (mode != kModeAscii) PutEscape(o, w, kModeAscii);
  return w;
}

#if defined(__SSE2__)

using bytescan::Block64;
using bytescan::kBlock;
using bytescan::PairFirsts;
using namespace bytescan::vec;

inline V Zero() { return _mm_setzero_si128(); }
inline V Add(V a, V b) { return _mm_add_epi8(a, b); }
inline V Sub(V a, V b) { return _mm_sub_epi8(a, b); }

// Copies 64 bytes: every segment of a block at once, without a loop whose
// length depends on the data.
inline void Copy64(Byte* dst, const Byte* src) {
  for (int k = 0; k < 4; ++k) Store(dst + 16 * k, Load(src + 16 * k));
}

// Writes src[0, 64) to out leaving out the bytes marked in `drop`; returns the
// length written. Reads and writes up to 64 bytes beyond.
std::size_t Drop(Byte* out, const Byte* src, std::uint64_t drop) {
  std::size_t w = 0, pos = 0;
  for (; drop; drop &= drop - 1) {
    const std::size_t j = static_cast<std::size_t>(std::countr_zero(drop));
    Copy64(out + w, src + pos);
    w += j - pos;
    pos = j + 1;
  }
  Copy64(out + w, src + pos);
  return w + kBlock - pos;
}

// In-place conversions whose output never outgrows their input read from a
// sliding copy of the text, so that the vector code may write past its output
// without touching input not yet read. `convert(in, out, w)` converts the
// window in[0, kWindow) (finishing a character that crosses its end), writes
// at out + w, advances w and returns the bytes consumed. Returns the output
// length and leaves `r` at the first input byte not consumed, with the bytes
// from there restored as they were.
constexpr std::size_t kWindow = 4096;
// Beyond kWindow a window's code reads up to 34 bytes and writes up to 66.
constexpr std::size_t kWindowPad = 128;

template <class Convert>
std::size_t Windowed(Byte* d, std::size_t n, std::size_t& r, Convert convert) {
  alignas(16) Byte win[kWindow + kWindowPad];
  std::size_t w = 0, have = 0;
  while (n - r >= sizeof win) {
    std::memcpy(win + have, d + r + have, sizeof win - have);
    const std::size_t used = convert(win, d, w);
    have = sizeof win - used;
    std::memmove(win, win + used, have);
    r += used;
  }
  std::memcpy(d + r, win, have);
  return w;
}

// EUC-JP: every byte from 80 up opens a pair; 8E pairs lose their first byte.
// `carry` says whether in[0] is a second byte; `lastChunk` holds the 16 bytes
// before the block.
std::size_t EucBlock(const Byte* in, Byte* out, std::uint64_t& carry, V& lastChunk) {
  const Block64 b(in);
  const std::uint64_t high = b.High();
  if ((high | carry) == 0) {
    CopyWithSlack(out, in, kBlock);
    lastChunk = Load(in + 48);
    return kBlock;
  }
  V before = lastChunk;  // a local: the byte stores below could alias the reference
  std::uint64_t second;
  const std::uint64_t first = PairFirsts(high, carry, second);
  const std::uint64_t ss2 = first & b.Eq(0x8E);
  alignas(16) Byte tmp[2 * kBlock];
  Byte* const dst = ss2 ? tmp : out;
  for (int k = 0; k < 4; ++k) {
    const V v = Load(in + 16 * k);
    const V prev = Previous(v, before);
    before = v;
    const V sec = Lanes(second >> (16 * k));
    const V fst = _mm_andnot_si128(sec, _mm_cmplt_epi8(v, Zero()));
    // s1 = (e1 + 1) / 2 + 30, or + 70 from DF up.
    const V s1 = Sub(Add(_mm_avg_epu8(v, Zero()), Splat(0x70)), _mm_and_si128(Le(v, 0xDE), Splat(0x40)));
    // s2 after an odd e1 = e2 - 61, or - 60 above DF; after an even one e2 - 2.
    const V s2odd = Sub(Sub(v, Splat(0x61)), Ge(v, 0xE0));
    const V s2 = Select(Eq(_mm_and_si128(prev, Splat(1)), 1), s2odd, Sub(v, Splat(2)));
    const V kana = _mm_xor_si128(v, _mm_and_si128(Within(v, 0x21, 0x5F), Splat(0x80)));
    const V second16 = Select(Eq(prev, 0x8E), kana, s2);
    Store(dst + 16 * k, Select(sec, second16, Select(fst, s1, v)));
  }
  lastChunk = before;
  return ss2 ? Drop(out, tmp, ss2) : kBlock;
}

// A window of EUC-JP; the state lives in locals meanwhile, as the byte stores
// could alias the references.
std::size_t EucWindow(const Byte* in, Byte* out, std::size_t& written, std::uint64_t& carryRef, V& lastRef) {
  std::size_t w = written;
  std::uint64_t carry = carryRef;
  V last = lastRef;
  for (std::size_t pos = 0; pos < kWindow; pos += kBlock) w += EucBlock(in + pos, out + w, carry, last);
  written = w;
  carryRef = carry;
  lastRef = last;
  return kWindow;
}

// Where the shift state may change in a block: the bytes ESC, SO and SI
// that begin a known escape sequence or are SO or SI (`events`), and what
// each does in `code`: the JisMode it selects in bits 0-1, bit 2 set for a
// three-byte escape sequence.
struct JisEvents {
  std::uint64_t events;
  alignas(16) Byte code[kBlock];
};

// The JIS window of JisWindow.inc, with 16-byte lanes.
namespace sse2 {
constexpr std::size_t kLanes = 16;
inline V And(V a, V b) { return _mm_and_si128(a, b); }
inline V Or(V a, V b) { return _mm_or_si128(a, b); }
inline V Xor(V a, V b) { return _mm_xor_si128(a, b); }
inline V HalfUp(V v) { return _mm_avg_epu8(v, Zero()); }
inline V OddFirst(V v) { return _mm_srai_epi16(_mm_slli_epi16(v, 15), 15); }
inline V EvenLanes() { return _mm_set1_epi16(0x00FF); }
inline std::uint64_t MoveMask(V v) { return static_cast<std::uint16_t>(_mm_movemask_epi8(v)); }
#define CORVELLA_JIS_TARGET
#include "text/JisWindow.inc"
#undef CORVELLA_JIS_TARGET
}  // namespace sse2

#if defined(CORVELLA_KANJI_AVX2)
// The JIS window again with 32-byte lanes, where the processor has AVX2: the
// walk is the same, the event search and the runs take half the instructions.
namespace avx2 {
using V = __m256i;
constexpr std::size_t kLanes = 32;
CORVELLA_TARGET_AVX2 inline V Load(const Byte* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
CORVELLA_TARGET_AVX2 inline void Store(Byte* p, V v) { _mm256_storeu_si256(reinterpret_cast<V*>(p), v); }
CORVELLA_TARGET_AVX2 inline V Splat(unsigned c) { return _mm256_set1_epi8(static_cast<char>(c)); }
CORVELLA_TARGET_AVX2 inline V Zero() { return _mm256_setzero_si256(); }
CORVELLA_TARGET_AVX2 inline V And(V a, V b) { return _mm256_and_si256(a, b); }
CORVELLA_TARGET_AVX2 inline V Or(V a, V b) { return _mm256_or_si256(a, b); }
CORVELLA_TARGET_AVX2 inline V Xor(V a, V b) { return _mm256_xor_si256(a, b); }
CORVELLA_TARGET_AVX2 inline V Add(V a, V b) { return _mm256_add_epi8(a, b); }
CORVELLA_TARGET_AVX2 inline V Sub(V a, V b) { return _mm256_sub_epi8(a, b); }
CORVELLA_TARGET_AVX2 inline V Eq(V v, unsigned c) { return _mm256_cmpeq_epi8(v, Splat(c)); }
CORVELLA_TARGET_AVX2 inline V Ge(V v, unsigned c) { return _mm256_cmpeq_epi8(_mm256_max_epu8(v, Splat(c)), v); }
CORVELLA_TARGET_AVX2 inline V Select(V mask, V a, V b) { return _mm256_blendv_epi8(b, a, mask); }
CORVELLA_TARGET_AVX2 inline V HalfUp(V v) { return _mm256_avg_epu8(v, Zero()); }
CORVELLA_TARGET_AVX2 inline V OddFirst(V v) { return _mm256_srai_epi16(_mm256_slli_epi16(v, 15), 15); }
CORVELLA_TARGET_AVX2 inline V EvenLanes() { return _mm256_set1_epi16(0x00FF); }
CORVELLA_TARGET_AVX2 inline std::uint64_t MoveMask(V v) {
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(v));
}
#define CORVELLA_JIS_TARGET CORVELLA_TARGET_AVX2
#include "text/JisWindow.inc"
#undef CORVELLA_JIS_TARGET
}  // namespace avx2

bool HaveAvx2() {
  static const bool have = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return have;
}

std::atomic<bool> g_allowAvx2{true};
#endif  // CORVELLA_KANJI_AVX2

// Shift_JIS: bytes 80..A0 and E0..FF open a pair, A1..DF are half-width
// katakana. The pair structure, shared by both directions.
struct SjisClasses {
  std::uint64_t high, kana, first, second;
};

inline SjisClasses Classify(const Block64& b, std::uint64_t& carry) {
  SjisClasses c;
  c.high = b.High();
  c.kana = b.InRange(0xA1, 0xDF);
  c.first = PairFirsts(c.high & ~c.kana, carry, c.second);
  c.kana &= ~c.second;
  return c;
}

// The first byte of a pair needs its second byte, which for the block's last
// byte is in[64]; the block loops keep bytes beyond the block readable.
std::size_t SjisToEucBlock(const Byte* in, Byte* out, std::uint64_t& carry) {
  const Block64 b(in);
  if ((b.High() | carry) == 0) {
    CopyWithSlack(out, in, kBlock);
    return kBlock;
  }
  const SjisClasses c = Classify(b, carry);
  alignas(16) Byte tmp[2 * kBlock];
  Byte* const dst = c.kana ? tmp : out;
  for (int k = 0; k < 4; ++k) {
    const V v = Load(in + 16 * k);
    const V next = Load(in + 16 * k + 1);
    const V sec = Lanes(c.second >> (16 * k));
    const V fst = _mm_andnot_si128(sec, _mm_andnot_si128(Within(v, 0xA1, 0xDF), _mm_cmplt_epi8(v, Zero())));
    // e1 = 2 s1 - 61 below 3F, else 2 s1 + 1F; one more when s2 >= 9F.
    const V t = Add(v, v);
    const V e1 = Sub(Add(t, Select(Le(t, 0x3E), Splat(0x9F), Splat(0x1F))), Ge(next, 0x9F));
    // e2 = s2 + 61, or + 60 above 7E; s2 + 2 from 9F up.
    const V e2 = Select(Ge(v, 0x9F), Add(v, Splat(2)), Add(Add(v, Splat(0x61)), Ge(v, 0x7F)));
    Store(dst + 16 * k, Select(sec, e2, Select(fst, e1, v)));
  }
  if (!c.kana) return kBlock;
  // Each half-width katakana byte gets an 8E before it.
  std::size_t w = 0, pos = 0;
  for (std::uint64_t m = c.kana; m; m &= m - 1) {
    const std::size_t j = static_cast<std::size_t>(std::countr_zero(m));
    Copy64(out + w, tmp + pos);
    w += j - pos;
    out[w++] = 0x8E;
    pos = j;
  }
  Copy64(out + w, tmp + pos);
  return w + kBlock - pos;
}

constexpr char kEscapeBytes[3][4] = {"\x1B(B", "\x1B$B", "\x1B(I"};  // by JisMode

std::size_t SjisToJisBlock(const Byte* in, Byte* out, std::uint64_t& carry, int& mode) {
  const Block64 b(in);
  if ((b.High() | carry) == 0 && mode == kModeAscii) {
    CopyWithSlack(out, in, kBlock);
    return kBlock;
  }
  const SjisClasses c = Classify(b, carry);
  const std::uint64_t kanji = c.first | c.second;
  const std::uint64_t ascii = ~(kanji | c.kana);
  // A byte whose state differs from the byte before it gets an escape sequence.
  const std::uint64_t toKanji = kanji & ~(kanji << 1 | std::uint64_t{mode == kModeKanji});
  const std::uint64_t toKana = c.kana & ~(c.kana << 1 | std::uint64_t{mode == kModeKana});
  const std::uint64_t toAscii = ascii & ~(ascii << 1 | std::uint64_t{mode == kModeAscii});
  mode = kanji >> 63 ? kModeKanji : c.kana >> 63 ? kModeKana : kModeAscii;
  const std::uint64_t escapes = toKanji | toKana | toAscii;
  alignas(16) Byte tmp[2 * kBlock];
  Byte* const dst = escapes ? tmp : out;
  for (int k = 0; k < 4; ++k) {
    const V v = Load(in + 16 * k);
    const V next = Load(in + 16 * k + 1);
    const V sec = Lanes(c.second >> (16 * k));
    const V kanaByte = Within(v, 0xA1, 0xDF);
    const V fst = _mm_andnot_si128(sec, _mm_andnot_si128(kanaByte, _mm_cmplt_epi8(v, Zero())));
    const V kana = _mm_andnot_si128(sec, kanaByte);
    // j1 = 2 s1 + 1F below 3F, else 2 s1 - 61; one more when s2 >= 9F.
    const V t = Add(v, v);
    const V j1 = Sub(Add(t, Select(Le(t, 0x3E), Splat(0x1F), Splat(0x9F))), Ge(next, 0x9F));
    // j2 = s2 - 1F, or - 20 above 7E; s2 - 7E from 9F up.
    const V j2 = Select(Ge(v, 0x9F), Sub(v, Splat(0x7E)), Add(Sub(v, Splat(0x1F)), Ge(v, 0x7F)));
    const V single = _mm_xor_si128(v, _mm_and_si128(kana, Splat(0x80)));
    Store(dst + 16 * k, Select(sec, j2, Select(fst, j1, single)));
  }
  if (!escapes) return kBlock;
  std::size_t w = 0, pos = 0;
  for (std::uint64_t m = escapes; m; m &= m - 1) {
    const std::size_t j = static_cast<std::size_t>(std::countr_zero(m));
    Copy64(out + w, tmp + pos);
    w += j - pos;
    // Four bytes stored, three kept: the block has slack.
    const unsigned kind = static_cast<unsigned>((toKanji >> j & 1) * kModeKanji + (toKana >> j & 1) * kModeKana);
    std::memcpy(out + w, kEscapeBytes[kind], 4);
    w += 3;
    pos = j;
  }
  Copy64(out + w, tmp + pos);
  return w + kBlock - pos;
}

// The growing converters run blocks while 64 bytes beyond the block remain;
// their output buffers (2n and 4n + 3) then always have room for a block's
// worst case (128 and 256 bytes) plus the 64 bytes a segment copy may write
// beyond its end.
constexpr std::size_t kReadAhead = 2 * kBlock;

#endif  // __SSE2__

}  // namespace

std::size_t JisToSjis(char* text, std::size_t n) {
  Byte* const d = reinterpret_cast<Byte*>(text);
  std::size_t r = 0, w = 0;
  int mode = kModeAscii;
#if defined(__SSE2__)
#if defined(CORVELLA_KANJI_AVX2)
  const auto window = g_allowAvx2.load(std::memory_order_relaxed) && HaveAvx2() ? avx2::JisWindow : sse2::JisWindow;
#else
  const auto window = sse2::JisWindow;
#endif
  w = Windowed(d, n, r, [&mode, window](const Byte* in, Byte* out, std::size_t& written) {
    return window(in, out, written, mode);
  });
#endif
  return JisWalk(d, n, r, d, w, mode, n);
}

void JisToSjis(std::string& text) { text.resize(JisToSjis(text.data(), text.size())); }

std::size_t EucToSjis(char* text, std::size_t n) {
  Byte* const d = reinterpret_cast<Byte*>(text);
  std::size_t r = 0, w = 0;
  unsigned lead = 0;
#if defined(__SSE2__)
  std::uint64_t carry = 0;
  V before = Zero();
  w = Windowed(d, n, r, [&](const Byte* in, Byte* out, std::size_t& written) {
    return EucWindow(in, out, written, carry, before);
  });
  if (carry) lead = LastByte(before);
#endif
  return EucWalk(d, n, r, w, lead);
}

void EucToSjis(std::string& text) { text.resize(EucToSjis(text.data(), text.size())); }

std::size_t SjisToEuc(std::string_view in, char* out) {
  const Byte* const p = reinterpret_cast<const Byte*>(in.data());
  Byte* const o = reinterpret_cast<Byte*>(out);
  const std::size_t n = in.size();
  std::size_t r = 0, w = 0;
  unsigned lead = 0;
#if defined(__SSE2__)
  std::uint64_t carry = 0;
  for (; n - r >= kReadAhead; r += kBlock) w += SjisToEucBlock(p + r, o + w, carry);
  if (carry) lead = p[r - 1];
#endif
  return SjisToEucWalk(p, n, r, o, w, lead);
}

void SjisToEuc(std::string& text) {
  std::string out(SjisToEucBound(text.size()), '\0');
  out.resize(SjisToEuc(text, out.data()));
  text.swap(out);
}

std::size_t SjisToJis(std::string_view in, char* out) {
  const Byte* const p = reinterpret_cast<const Byte*>(in.data());
  Byte* const o = reinterpret_cast<Byte*>(out);
  const std::size_t n = in.size();
  std::size_t r = 0, w = 0;
  int mode = kModeAscii;
  unsigned lead = 0;
#if defined(__SSE2__)
  std::uint64_t carry = 0;
  for (; n - r >= kReadAhead; r += kBlock) w += SjisToJisBlock(p + r, o + w, carry, mode);
  if (carry) lead = p[r - 1];
#endif
  return SjisToJisWalk(p, n, r, o, w, mode, lead);
}

void SjisToJis(std::string& text) {
  std::string out(SjisToJisBound(text.size()), '\0');
  out.resize(SjisToJis(text, out.data()));
  text.swap(out);
}

bool UseAvx2ForKanjiConvert(bool allow) {
#if defined(CORVELLA_KANJI_AVX2)
  return g_allowAvx2.exchange(allow) && HaveAvx2();
#else
  (void)allow;
  return false;
#endif
}

}  // namespace corvella
