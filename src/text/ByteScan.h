// 64-byte block scanning shared by the encoding detector and converters: per-byte masks and pair boundaries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvella::bytescan {

inline constexpr std::size_t kBlock = 64;

inline std::uint64_t Load64(const unsigned char* p) {
  std::uint64_t x;
  std::memcpy(&x, p, sizeof x);
  return x;
}

inline void Store64(unsigned char* p, std::uint64_t x) { std::memcpy(p, &x, sizeof x); }

inline constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Copies the bytes below 80 from in[r] on, eight at a time while it can;
// `out` may be `in` itself as long as it does not run ahead of it.
inline void CopyAscii(const unsigned char* in, std::size_t n, std::size_t& r, unsigned char* out, std::size_t& w) {
  while (r + 8 <= n) {
    const std::uint64_t x = Load64(in + r);
    if (x & kHighBits) break;
    Store64(out + w, x);
    r += 8;
    w += 8;
  }
  while (r < n && in[r] < 0x80) out[w++] = in[r++];
}

// One block of 64 bytes; bit i of every mask describes byte i.
class Block64 {
 public:
  explicit Block64(const unsigned char* p) {
#if defined(__SSE2__)
    for (int k = 0; k < 4; ++k) v_[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
#else
    std::memcpy(b_, p, kBlock);
#endif
  }

  // Bytes 80..FF.
  std::uint64_t High() const {
#if defined(__SSE2__)
    return Join([](__m128i v) { return v; });
#else
    return Where([](unsigned c) { return c >= 0x80; });
#endif
  }

  std::uint64_t Eq(unsigned char c) const {
#if defined(__SSE2__)
    const __m128i k = _mm_set1_epi8(static_cast<char>(c));
    return Join([k](__m128i v) { return _mm_cmpeq_epi8(v, k); });
#else
    return Where([c](unsigned x) { return x == c; });
#endif
  }

  // Bytes lo..hi, both included (lo <= hi).
  std::uint64_t InRange(unsigned char lo, unsigned char hi) const {
#if defined(__SSE2__)
    // x - lo <= hi - lo as unsigned bytes; SSE2 has an unsigned minimum but no unsigned compare.
    const __m128i base = _mm_set1_epi8(static_cast<char>(lo));
    const __m128i span = _mm_set1_epi8(static_cast<char>(hi - lo));
    return Join([base, span](__m128i v) {
      const __m128i d = _mm_sub_epi8(v, base);
      return _mm_cmpeq_epi8(_mm_min_epu8(d, span), d);
    });
#else
    return Where([lo, hi](unsigned x) { return x >= lo && x <= hi; });
#endif
  }

 private:
#if defined(__SSE2__)
  template <class F>
  std::uint64_t Join(F f) const {
    std::uint64_t m = 0;
    for (int k = 0; k < 4; ++k)
      m |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(f(v_[k])))) << (16 * k);
    return m;
  }
  __m128i v_[4];
#else
  template <class F>
  std::uint64_t Where(F f) const {
    std::uint64_t m = 0;
    for (std::size_t i = 0; i < kBlock; ++i)
      if (f(b_[i])) m |= std::uint64_t{1} << i;
    return m;
  }
  unsigned char b_[kBlock];
#endif
};

// Pair boundaries in a block. `lead` marks the bytes that open a two-byte pair
// unless they are themselves the second byte of one; `carry` (0 or 1) says
// whether byte 0 is the second byte of a pair opened in the previous block and
// is updated for the next block. Returns the first bytes of pairs and stores the
// second bytes in `second`.
//
// Inside a run of lead bytes that starts on a pair boundary, the bytes at even
// offsets from the run's start open pairs. Adding each run's start bit to the
// runs clears exactly the runs that start at even positions, which separates
// the two parities without a loop.
inline std::uint64_t PairFirsts(std::uint64_t lead, std::uint64_t& carry, std::uint64_t& second) {
  constexpr std::uint64_t kEven = 0x5555555555555555ull;
  const std::uint64_t l = lead & ~carry;
  const std::uint64_t starts = l & ~(l << 1);
  const std::uint64_t cleared = l + (starts & kEven);
  const std::uint64_t evenRuns = l & ~cleared;
  const std::uint64_t oddRuns = l & cleared;
  const std::uint64_t first = (evenRuns & kEven) | (oddRuns & ~kEven);
  second = (first << 1) | carry;
  carry = first >> 63;
  return first;
}

#if defined(__SSE2__)
// Sixteen-lane helpers for the block converters.
namespace vec {

using V = __m128i;

inline V Load(const unsigned char* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
inline void Store(unsigned char* p, V v) { _mm_storeu_si128(reinterpret_cast<V*>(p), v); }
inline V Splat(unsigned c) { return _mm_set1_epi8(static_cast<char>(c)); }

// Lanes holding FF where the condition holds, 00 elsewhere (unsigned bytes).
inline V Ge(V v, unsigned c) { return _mm_cmpeq_epi8(_mm_max_epu8(v, Splat(c)), v); }
inline V Le(V v, unsigned c) { return _mm_cmpeq_epi8(_mm_min_epu8(v, Splat(c)), v); }
inline V Eq(V v, unsigned c) { return _mm_cmpeq_epi8(v, Splat(c)); }
inline V Within(V v, unsigned lo, unsigned hi) { return Le(_mm_sub_epi8(v, Splat(lo)), hi - lo); }

inline V Select(V mask, V a, V b) { return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b)); }

// The lanes of a 16-bit mask as a lane mask.
inline V Lanes(std::uint64_t bits) {
  V x = _mm_cvtsi32_si128(static_cast<int>(bits & 0xFFFF));
  x = _mm_unpacklo_epi8(x, x);
  x = _mm_unpacklo_epi16(x, x);
  x = _mm_unpacklo_epi32(x, x);
  const V bit = _mm_set_epi8(-128, 64, 32, 16, 8, 4, 2, 1, -128, 64, 32, 16, 8, 4, 2, 1);
  return _mm_cmpeq_epi8(_mm_and_si128(x, bit), bit);
}

// Each lane with the lane before it; lane 0 gets the last lane of `before`.
inline V Previous(V v, V before) { return _mm_or_si128(_mm_slli_si128(v, 1), _mm_srli_si128(before, 15)); }

inline unsigned LastByte(V v) { return static_cast<unsigned>(_mm_cvtsi128_si32(_mm_srli_si128(v, 15))) & 0xFF; }

// Copies `len` bytes in 16-byte steps: reads and writes up to 15 bytes beyond.
inline void CopyWithSlack(unsigned char* dst, const unsigned char* src, std::size_t len) {
  for (std::size_t k = 0; k < len; k += 16) Store(dst + k, Load(src + k));
}

}  // namespace vec
#endif

}  // namespace corvella::bytescan
