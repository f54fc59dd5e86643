// The encoding rules one byte at a time, as plainly as they can be written, to hold the block code to.
#pragma once

#include <cstddef>
#include <string>

namespace corvella::reference {

// `At` past the end gives a value no byte has.
struct Reader {
  const std::string& s;
  unsigned At(std::size_t k) const { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0x100; }
};

inline std::string RefJisToSjis(const std::string& in) {
  const Reader t{in};
  std::string out;
  enum { kAscii, kKanji, kKana } state = kAscii;
  for (std::size_t r = 0; r < in.size();) {
    const unsigned c = t.At(r), a = t.At(r + 1), b = t.At(r + 2);
    if (c == 0x1B && a == '$' && (b == 'B' || b == '@')) { state = kKanji; r += 3; continue; }
    if (c == 0x1B && a == '(' && (b == 'B' || b == 'J')) { state = kAscii; r += 3; continue; }
    if (c == 0x1B && a == '(' && b == 'I') { state = kKana; r += 3; continue; }
    if (c == 0x0F) { state = kAscii; ++r; continue; }
    if (c == 0x0E) { state = kKana; ++r; continue; }
    if (state == kAscii) {
      out += static_cast<char>(c);
      ++r;
    } else if (state == kKana) {
      out += static_cast<char>(c + 0x80);
      ++r;
    } else if (r + 1 == in.size()) {
      out += static_cast<char>(c);
      ++r;
    } else {
      const unsigned h = c >> 1;
      if (c & 1) {
        out += static_cast<char>(h < 0x2F ? h + 0x71 : h - 0x4F);
        out += static_cast<char>(a <= 0x5F ? a + 0x1F : a + 0x20);
      } else {
        out += static_cast<char>(h <= 0x2F ? h + 0x70 : h - 0x50);
        out += static_cast<char>(a + 0x7E);
      }
      r += 2;
    }
  }
  return out;
}

inline std::string RefEucToSjis(const std::string& in) {
  const Reader t{in};
  std::string out;
  for (std::size_t r = 0; r < in.size();) {
    const unsigned b = t.At(r), b2 = t.At(r + 1);
    if (b < 0x80) { out += static_cast<char>(b); ++r; continue; }
    if (r + 1 == in.size()) { out += static_cast<char>(b); break; }
    if (b == 0x8E) {
      out += static_cast<char>(b2 >= 0x21 && b2 <= 0x5F ? b2 + 0x80 : b2);
    } else {
      const unsigned h = b >> 1;
      if (b & 1) {
        out += static_cast<char>(h < 0x6F ? h + 0x31 : h + 0x71);
        out += static_cast<char>(b2 > 0xDF ? b2 - 0x60 : b2 - 0x61);
      } else {
        out += static_cast<char>(h <= 0x6F ? h + 0x30 : h + 0x70);
        out += static_cast<char>(b2 - 2);
      }
    }
    r += 2;
  }
  return out;
}

inline std::string RefSjisToEuc(const std::string& in) {
  const Reader t{in};
  std::string out;
  for (std::size_t r = 0; r < in.size();) {
    const unsigned b = t.At(r), s2 = t.At(r + 1);
    if (b < 0x80) { out += static_cast<char>(b); ++r; continue; }
    if (b >= 0xA1 && b <= 0xDF) { out += '\x8E'; out += static_cast<char>(b); ++r; continue; }
    if (r + 1 == in.size()) { out += static_cast<char>(b); break; }
    const unsigned tt = (b * 2) & 0xFF;
    if (s2 < 0x9F) {
      out += static_cast<char>(tt < 0x3F ? tt - 0x61 : tt + 0x1F);
      out += static_cast<char>(s2 > 0x7E ? s2 + 0x60 : s2 + 0x61);
    } else {
      out += static_cast<char>(tt < 0x3F ? tt - 0x60 : tt + 0x20);
      out += static_cast<char>(s2 + 2);
    }
    r += 2;
  }
  return out;
}

inline std::string RefSjisToJis(const std::string& in) {
  const Reader t{in};
  std::string out;
  enum { kAscii, kKanji, kKana } state = kAscii;
  for (std::size_t r = 0; r < in.size();) {
    const unsigned b = t.At(r), s2 = t.At(r + 1);
    if (b < 0x80) {
      if (state != kAscii) { out += "\x1B(B"; state = kAscii; }
      out += static_cast<char>(b);
      ++r;
    } else if (b >= 0xA1 && b <= 0xDF) {
      if (state != kKana) { out += "\x1B(I"; state = kKana; }
      out += static_cast<char>(b - 0x80);
      ++r;
    } else {
      if (state != kKanji) { out += "\x1B$B"; state = kKanji; }
      if (r + 1 == in.size()) { out += static_cast<char>(b); break; }
      const unsigned tt = (b * 2) & 0xFF;
      if (s2 < 0x9F) {
        out += static_cast<char>(tt < 0x3F ? tt + 0x1F : tt - 0x61);
        out += static_cast<char>(s2 > 0x7E ? s2 - 0x20 : s2 - 0x1F);
      } else {
        out += static_cast<char>(tt < 0x3F ? tt + 0x20 : tt - 0x60);
        out += static_cast<char>(s2 - 0x7E);
      }
      r += 2;
    }
  }
  if (state != kAscii) out += "\x1B(B";
  return out;
}

// The five byte tests.
inline bool In(unsigned c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; }
inline unsigned At(const std::string& s, std::size_t i) {
  return i < s.size() ? static_cast<unsigned char>(s[i]) : 0x100;
}

inline bool RefAscii(const std::string& s) {
  for (unsigned char c : s)
    if (!(In(c, 0x20, 0x7F) || c == 9 || c == 10 || c == 13)) return false;
  return true;
}

inline bool RefEuc(const std::string& s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const unsigned c = At(s, i);
    if (c < 0x80) continue;
    if (In(c, 0xA1, 0xFE) && In(At(s, i + 1), 0xA1, 0xFE)) { ++i; continue; }
    if (c == 0x8E && (In(At(s, i + 1), 0x21, 0x5F) || In(At(s, i + 1), 0xA1, 0xDF))) { ++i; continue; }
    return false;
  }
  return true;
}

inline bool RefUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const unsigned c = At(s, i);
    if (c < 0x80) continue;
    if (In(c, 0xC2, 0xDF) && In(At(s, i + 1), 0x80, 0xBF)) { i += 1; continue; }
    if (In(c, 0xE0, 0xEF) && In(At(s, i + 1), 0x80, 0xBF) && In(At(s, i + 2), 0x80, 0xBF)) { i += 2; continue; }
    return false;
  }
  return true;
}

inline bool RefSjis(const std::string& s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const unsigned c = At(s, i);
    if (In(c, 0x81, 0x9F) || In(c, 0xE0, 0xEA) || c == 0xED || c == 0xEE || In(c, 0xFA, 0xFC)) {
      const unsigned d = At(s, i + 1);
      if (!In(d, 0x40, 0xFC) || d == 0x7F) return false;
      ++i;
    } else if (c == 0xA0 || c >= 0xFD) {
      return false;
    }
  }
  return true;
}

// The normaliser as a state machine over one byte at a time.
inline std::string RefNormalize(const std::string& in, int* flags) {
  std::string out;
  bool pending = false;
  *flags = 0;
  for (char c : in) {
    if (pending) {
      out += "\r\n";
      if (c == '\n') { *flags |= 2; pending = false; continue; }
      if (c == '\r') { *flags |= 1; continue; }
      pending = false;
      out += c;
    } else if (c == '\n') {
      *flags |= 2;
      out += "\r\n";
    } else if (c == '\r') {
      *flags |= 1;
      pending = true;
    } else {
      out += c;
    }
  }
  if (pending) out += "\r\n";
  return out;
}

// Shift_JIS that every converter carries there and back unchanged: ASCII
// without ESC, SO and SI, half-width katakana, and the pairs of the 94 rows of
// JIS X 0208 (leads 81..9F and E0..EF, second bytes 40..FC without 7F).
inline bool IsRoundTripSjis(const std::string& s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const unsigned c = At(s, i);
    if (c < 0x80) {
      if (c == 0x1B || c == 0x0E || c == 0x0F) return false;
    } else if (!In(c, 0xA1, 0xDF)) {
      const unsigned d = At(s, i + 1);
      if (!(In(c, 0x81, 0x9F) || In(c, 0xE0, 0xEF)) || !In(d, 0x40, 0xFC) || d == 0x7F) return false;
      ++i;
    }
  }
  return true;
}

}  // namespace corvella::reference
