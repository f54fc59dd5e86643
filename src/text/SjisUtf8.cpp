// Conversion between UTF-8 and Shift_JIS (code page 932) that never stops and counts what it could not keep.
//
// iconv gives up at the first character it cannot convert, and restarting it
// after each one would cost a call per character. So the code page 932
// repertoire is read out of glibc's "CP932" converter once, character by
// character, into two tables (Unicode to code page 932 and back); each
// character then goes UTF-8 -> code point (one UTF-16 unit: code page 932
// holds nothing beyond the Basic Multilingual Plane) -> code page 932 and
// back. That is the two-step conversion through UTF-16, with the same results
// as iconv character by character, in one pass.
#include "text/SjisUtf8.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <memory>

#include "text/ByteScan.h"
#include "text/SjisBytes.h"

namespace corvella {
namespace {

using bytescan::CopyAscii;
using bytescan::kHighBits;
using bytescan::Load64;
using bytescan::Store64;
using Byte = unsigned char;

constexpr std::uint16_t kNone = 0xFFFF;  // no mapping (U+FFFF is no character)
constexpr std::uint16_t kLead = 0xFFFE;  // a lead byte: the pair decides
constexpr char32_t kMalformed = 0xFFFFFFFF;
constexpr Byte kDefaultChar = '?';

struct Cp932Tables {
  // Code page 932 code of each code point: a single byte below 0x100, otherwise lead << 8 | second.
  std::uint16_t fromUnicode[0x10000];
  // Code points whose code reads back as another code point.
  std::uint64_t altered[0x10000 / 64];
  std::uint16_t single[0x100];  // code point of a single byte, kNone or kLead
  std::uint16_t pair[0x10000];  // code point of lead << 8 | second, or kNone
  bool asciiSame;               // 00..7F are themselves both ways
};

enum class Outcome { kDone, kIncomplete, kRefused };

// One conversion of a complete input.
Outcome ConvertOnce(iconv_t cd, const Byte* in, std::size_t n, Byte* out, std::size_t room, std::size_t& written) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* ip = reinterpret_cast<char*>(const_cast<Byte*>(in));
  char* op = reinterpret_cast<char*>(out);
  std::size_t il = n, ol = room;
  if (iconv(cd, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1))
    return errno == EINVAL ? Outcome::kIncomplete : Outcome::kRefused;
  if (il != 0 || iconv(cd, nullptr, nullptr, &op, &ol) == static_cast<std::size_t>(-1)) return Outcome::kRefused;
  written = room - ol;
  return Outcome::kDone;
}

// The code point of a code page 932 byte sequence; kLead when it is the
// start of a longer one, kNone when it is no character.
std::uint16_t Decode(iconv_t cd, const Byte* in, std::size_t n) {
  Byte out[8];
  std::size_t w = 0;
  const Outcome outcome = ConvertOnce(cd, in, n, out, sizeof out, w);
  if (outcome == Outcome::kIncomplete) return kLead;
  if (outcome == Outcome::kRefused || w != 2) return kNone;
  const std::uint16_t u = static_cast<std::uint16_t>(out[0] | out[1] << 8);
  return (u >= 0xD800 && u <= 0xDFFF) || u == kLead ? kNone : u;
}

std::unique_ptr<Cp932Tables> BuildTables() {
  auto t = std::make_unique<Cp932Tables>();
  for (auto& c : t->fromUnicode) c = kNone;
  for (auto& a : t->altered) a = 0;
  for (auto& c : t->single) c = kNone;
  for (auto& c : t->pair) c = kNone;

  const iconv_t dec = iconv_open("UTF-16LE", "CP932");
  const iconv_t enc = iconv_open("CP932", "UTF-16LE");
  if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1)) {
    // Without the converter only ASCII survives; everything else is counted as replaced.
    for (unsigned c = 0; c < 0x80; ++c) t->single[c] = t->fromUnicode[c] = static_cast<std::uint16_t>(c);
  } else {
    for (unsigned b = 0; b < 0x100; ++b) {
      const Byte one[1] = {static_cast<Byte>(b)};
      t->single[b] = Decode(dec, one, 1);
      if (t->single[b] != kLead) continue;
      for (unsigned s = 0; s < 0x100; ++s) {
        const Byte two[2] = {static_cast<Byte>(b), static_cast<Byte>(s)};
        const std::uint16_t v = Decode(dec, two, 2);
        t->pair[b << 8 | s] = v == kLead ? kNone : v;
      }
    }
    for (unsigned u = 0; u < 0x10000; ++u) {
      if (u >= 0xD800 && u <= 0xDFFF) continue;
      const Byte in[2] = {static_cast<Byte>(u), static_cast<Byte>(u >> 8)};
      Byte out[8];
      std::size_t w = 0;
      if (ConvertOnce(enc, in, 2, out, sizeof out, w) != Outcome::kDone) continue;
      // ASCII must stay one byte: the UTF-8 output bound relies on it.
      if (w == 1)
        t->fromUnicode[u] = out[0];
      else if (w == 2 && u >= 0x80 && t->single[out[0]] == kLead)
        t->fromUnicode[u] = static_cast<std::uint16_t>(out[0] << 8 | out[1]);
    }
  }
  if (dec != reinterpret_cast<iconv_t>(-1)) iconv_close(dec);
  if (enc != reinterpret_cast<iconv_t>(-1)) iconv_close(enc);

  for (unsigned u = 0; u < 0x10000; ++u) {
    const std::uint16_t code = t->fromUnicode[u];
    if (code == kNone) continue;
    const std::uint16_t back = code < 0x100 ? t->single[code] : t->pair[code];
    if (back != u) t->altered[u >> 6] |= std::uint64_t{1} << (u & 63);
  }
  t->asciiSame = true;
  for (unsigned c = 0; c < 0x80; ++c) t->asciiSame &= t->single[c] == c && t->fromUnicode[c] == c;
  return t;
}

const Cp932Tables& Tables() {
  static const std::unique_ptr<Cp932Tables> tables = BuildTables();
  return *tables;
}

bool IsCont(unsigned c) { return InRange(c, 0x80, 0xBF); }

// The code point at p[i] and its length; kMalformed with the length of the
// longest prefix of a well-formed sequence (at least one byte) otherwise.
// Overlong forms, surrogates and values above 10FFFF are malformed.
inline char32_t DecodeUtf8(const Byte* p, std::size_t n, std::size_t i, std::size_t& len) {
  const unsigned c = p[i];
  len = 1;
  if (c < 0x80) return c;
  const std::size_t left = n - i - 1;  // bytes after the lead
  if (InRange(c, 0xC2, 0xDF)) {
    if (left < 1 || !IsCont(p[i + 1])) return kMalformed;
    len = 2;
    return (c & 0x1F) << 6 | (p[i + 1] & 0x3F);
  }
  unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  std::size_t need;
  if (InRange(c, 0xE0, 0xEF)) {
    need = 2;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (InRange(c, 0xF0, 0xF4)) {
    need = 3;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return kMalformed;
  }
  if (left < 1 || !InRange(p[i + 1], lo, hi)) return kMalformed;
  char32_t cp = (c & (need == 2 ? 0x0F : 0x07)) << 6 | (p[i + 1] & 0x3F);
  for (std::size_t k = 2; k <= need; ++k) {
    len = k;
    if (left < k || !IsCont(p[i + k])) return kMalformed;
    cp = cp << 6 | (p[i + k] & 0x3F);
  }
  len = need + 1;
  return cp;
}

inline void PutUtf8(Byte* o, std::size_t& w, unsigned u) {
  if (u < 0x80) {
    o[w++] = static_cast<Byte>(u);
  } else if (u < 0x800) {
    o[w] = static_cast<Byte>(0xC0 | u >> 6);
    o[w + 1] = static_cast<Byte>(0x80 | (u & 0x3F));
    w += 2;
  } else {
    o[w] = static_cast<Byte>(0xE0 | u >> 12);
    o[w + 1] = static_cast<Byte>(0x80 | (u >> 6 & 0x3F));
    o[w + 2] = static_cast<Byte>(0x80 | (u & 0x3F));
    w += 3;
  }
}


}  // namespace

std::size_t Utf8ToSjis(std::string_view in, char* out, std::size_t* changed) {
  const Cp932Tables& t = Tables();
  const Byte* const p = reinterpret_cast<const Byte*>(in.data());
  Byte* const o = reinterpret_cast<Byte*>(out);
  const std::size_t n = in.size();
  std::size_t i = 0, w = 0, count = 0;
  while (i < n) {
    if (p[i] < 0x80 && t.asciiSame) {
      CopyAscii(p, n, i, o, w);
      continue;
    }
    std::size_t len;
    const char32_t cp = DecodeUtf8(p, n, i, len);
    i += len;
    const std::uint16_t code = cp < 0x10000 ? t.fromUnicode[cp] : kNone;
    if (code == kNone) {
      o[w++] = kDefaultChar;
      ++count;
    } else {
      if (code < 0x100) {
        o[w++] = static_cast<Byte>(code);
      } else {
        o[w] = static_cast<Byte>(code >> 8);
        o[w + 1] = static_cast<Byte>(code);
        w += 2;
      }
      count += (t.altered[cp >> 6] >> (cp & 63)) & 1;
    }
  }
  if (changed) *changed = count;
  return w;
}

ConvertedText Utf8ToSjis(std::string_view in) {
  ConvertedText r;
  r.text.resize(Utf8ToSjisBound(in.size()));
  r.text.resize(Utf8ToSjis(in, r.text.data(), &r.changed));
  return r;
}

std::size_t SjisToUtf8(std::string_view in, char* out, std::size_t* changed) {
  const Cp932Tables& t = Tables();
  const Byte* const p = reinterpret_cast<const Byte*>(in.data());
  Byte* const o = reinterpret_cast<Byte*>(out);
  const std::size_t n = in.size();
  std::size_t i = 0, w = 0, count = 0;
  while (i < n) {
    const unsigned c = p[i];
    if (c < 0x80 && t.asciiSame) {
      CopyAscii(p, n, i, o, w);
      continue;
    }
    std::uint16_t u = t.single[c];
    std::size_t len = 1;
    if (u == kLead && i + 1 < n) {
      const unsigned c2 = p[i + 1];
      u = t.pair[c << 8 | c2];
      // An undefined pair is one character; a lead byte with no possible second byte stands alone.
      if (u != kNone || IsSjisTrailByte(c2)) len = 2;
    }
    i += len;
    if (u == kNone || u == kLead) {
      o[w++] = kDefaultChar;
      ++count;
    } else {
      PutUtf8(o, w, u);
    }
  }
  if (changed) *changed = count;
  return w;
}

ConvertedText SjisToUtf8(std::string_view in) {
  ConvertedText r;
  r.text.resize(SjisToUtf8Bound(in.size()));
  r.text.resize(SjisToUtf8(in, r.text.data(), &r.changed));
  return r;
}

}  // namespace corvella
