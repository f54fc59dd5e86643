// Random byte texts for the encoding tests: runs of ASCII, line ends, kanji pairs, katakana, escapes and stray bytes.
#pragma once

#include <cstddef>
#include <random>
#include <string>

namespace corvella::testtext {

// Texts that mix valid pieces of every encoding with stray bytes, NUL and
// control bytes included, so that valid runs of any length meet every kind of
// disturbance at every position of a 64-byte block.
inline std::string Random(std::mt19937& rng, std::size_t length) {
  auto pick = [&rng](unsigned lo, unsigned hi) {
    return static_cast<char>(std::uniform_int_distribution<unsigned>(lo, hi)(rng));
  };
  static const char* const kEscapes[] = {"\x1B$B", "\x1B$@", "\x1B(B", "\x1B(J", "\x1B(I", "\x1B$A", "\x1B(Z", "\x1B"};
  // Each text favours a few kinds of piece, so that long valid runs occur too.
  std::uniform_int_distribution<int> kind(0, 13);
  int favoured[3] = {kind(rng), kind(rng), kind(rng)};
  std::string s;
  while (s.size() < length) {
    const int k = std::uniform_int_distribution<int>(0, 3)(rng) < 3 ? favoured[rng() % 3] : kind(rng);
    const int run = std::uniform_int_distribution<int>(1, 12)(rng);
    for (int i = 0; i < run && s.size() < length; ++i) {
      switch (k) {
        case 0: s += pick(0x20, 0x7E); break;
        case 1: s += "\r\n"; break;
        case 2: s += pick(0, 1) ? '\r' : '\n'; break;
        case 3: s += pick(0x81, 0x9F); s += pick(0x40, 0xFC); break;  // Shift_JIS pair
        case 4: s += pick(0xE0, 0xFC); s += pick(0x40, 0xFC); break;
        case 5: s += pick(0xA1, 0xDF); break;                          // half-width katakana
        case 6: s += pick(0xA1, 0xFE); s += pick(0xA1, 0xFE); break;  // EUC-JP pair
        case 7: s += '\x8E'; s += pick(0, 1) ? pick(0xA1, 0xDF) : pick(0x21, 0x5F); break;
        case 8: s += pick(0x21, 0x7E); s += pick(0x21, 0x7E); break;  // JIS pair
        case 9: s += kEscapes[rng() % 8]; break;
        case 10: s += pick(0, 1) ? '\x0E' : '\x0F'; break;
        case 11: s += pick(0, 255); break;
        case 12: s += '\0'; break;
        default: s += pick(0xE3, 0xE9); s += pick(0x80, 0xBF); s += pick(0x80, 0xBF); break;  // UTF-8
      }
    }
  }
  s.resize(length);
  return s;
}

enum class Kind { kAscii, kEuc, kUtf8, kSjis };

// A text valid in one encoding (pairs and sequences never cut by the end).
inline std::string Valid(std::mt19937& rng, std::size_t length, Kind kind) {
  auto pick = [&rng](unsigned lo, unsigned hi) {
    return static_cast<char>(std::uniform_int_distribution<unsigned>(lo, hi)(rng));
  };
  std::string s;
  while (s.size() < length) {
    std::string piece;
    switch (rng() % 3 == 0 ? Kind::kAscii : kind) {
      case Kind::kAscii: piece = rng() % 8 ? std::string(1, pick(0x20, 0x7E)) : "\r\n"; break;
      case Kind::kEuc:
        piece = rng() % 5 ? std::string{pick(0xA1, 0xFE), pick(0xA1, 0xFE)} : std::string{'\x8E', pick(0xA1, 0xDF)};
        break;
      case Kind::kUtf8:
        piece = rng() % 5 ? std::string{pick(0xE0, 0xEF), pick(0x80, 0xBF), pick(0x80, 0xBF)}
                          : std::string{pick(0xC2, 0xDF), pick(0x80, 0xBF)};
        break;
      case Kind::kSjis:
        piece = rng() % 5 ? std::string{pick(0x81, 0x9F), pick(0x80, 0xFC)} : std::string(1, pick(0xA1, 0xDF));
        break;
    }
    if (s.size() + piece.size() > length) break;
    s += piece;
  }
  return s;
}

// Lengths around the block (64), read-ahead (80) and window (4096 + 128) sizes, and some long ones.
inline std::size_t RandomLength(std::mt19937& rng) {
  static const std::size_t kEdges[] = {0, 1, 2, 3, 63, 64, 65, 79, 80, 81, 127, 128, 129, 4223, 4224, 4225, 4290};
  switch (rng() % 4) {
    case 0: return kEdges[rng() % (sizeof kEdges / sizeof kEdges[0])];
    case 1: return rng() % 300;
    default: return 4000 + rng() % 14000;
  }
}

}  // namespace corvella::testtext
