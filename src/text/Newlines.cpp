// Line-end normalisation: every CR, LF and CR LF becomes CR LF, and the kinds seen are reported.
#include "text/Newlines.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include <string.h>  // memrchr

#include "text/ByteScan.h"
#include "text/TwoThreads.h"

namespace corvella {
namespace {

using bytescan::Block64;
using bytescan::kBlock;
using Byte = unsigned char;

// The build targets processors without a population count instruction, which
// makes every count a library call; where the processor has one, the loader
// picks a copy of the counter that uses it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define CORVELLA_WITH_POPCNT __attribute__((target_clones("popcnt", "default")))
#else
#define CORVELLA_WITH_POPCNT
#endif

// Each CR LF stays; a lone CR gains an LF after it and a lone LF a CR before
// it, so the output is the input plus one byte per lone line end. Counting
// goes 64 bytes at a time; a CR at a block's end looks at the next byte.
CORVELLA_WITH_POPCNT std::size_t CountNormalized(const Byte* p, std::size_t n, int* flags) {
  std::size_t extra = 0, i = 0;
  std::uint64_t afterCr = 0;  // the byte before the block is a CR
  bool cr = false, lf = false;
  for (; n - i > kBlock; i += kBlock) {
    const Block64 b(p + i);
    const std::uint64_t crs = b.Eq('\r'), lfs = b.Eq('\n');
    if ((crs | lfs) == 0) {
      afterCr = 0;
      continue;
    }
    cr |= crs != 0;
    lf |= lfs != 0;
    const std::uint64_t nextIsLf = p[i + kBlock] == '\n';
    extra += static_cast<std::size_t>(std::popcount(lfs & ~(crs << 1 | afterCr)) +
                                      std::popcount(crs & ~(lfs >> 1 | nextIsLf << 63)));
    afterCr = crs >> 63;
  }
  for (; i < n; ++i) {
    const Byte c = p[i];
    if (c == '\n') {
      lf = true;
      extra += afterCr == 0;
    } else if (c == '\r') {
      cr = true;
      extra += i + 1 == n || p[i + 1] != '\n';
    }
    afterCr = c == '\r';
  }
  if (flags) *flags = (cr ? kNewlineSawCr : 0) | (lf ? kNewlineSawLf : 0);
  return n + extra;
}

void WriteNormalized(const Byte* p, std::size_t n, Byte* o) {
  std::size_t i = 0, w = 0;
  bool afterCr = false;
#if defined(__SSE2__)
  using bytescan::vec::CopyWithSlack;
  // While 16 bytes beyond the block remain, the output has room for the
  // block's bytes, its insertions and 16 bytes of slack.
  for (; n - i >= kBlock + 16; i += kBlock) {
    const Block64 b(p + i);
    const std::uint64_t crs = b.Eq('\r'), lfs = b.Eq('\n');
    const std::uint64_t loneLf = lfs & ~(crs << 1 | std::uint64_t{afterCr});
    const std::uint64_t loneCr = crs & ~(lfs >> 1 | std::uint64_t{p[i + kBlock] == '\n'} << 63);
    afterCr = crs >> 63;
    std::size_t pos = 0;
    // A CR goes in before each lone LF, an LF after each lone CR.
    for (std::uint64_t m = loneLf | loneCr << 1; m; m &= m - 1) {
      const std::size_t j = static_cast<std::size_t>(std::countr_zero(m));
      CopyWithSlack(o + w, p + i + pos, j - pos);
      w += j - pos;
      o[w++] = (loneLf >> j & 1) ? '\r' : '\n';
      pos = j;
    }
    CopyWithSlack(o + w, p + i + pos, kBlock - pos);
    w += kBlock - pos;
    if (loneCr >> 63) o[w++] = '\n';
  }
#endif
  for (; i < n; ++i) {
    const Byte c = p[i];
    if (c == '\n' && !afterCr) o[w++] = '\r';
    o[w++] = c;
    if (c == '\r' && (i + 1 == n || p[i + 1] != '\n')) o[w++] = '\n';
    afterCr = c == '\r';
  }
}

const Byte* Bytes(std::string_view text) { return reinterpret_cast<const Byte*>(text.data()); }

}  // namespace

std::size_t NormalizedLength(std::string_view text, int* flags) {
  return CountNormalized(Bytes(text), text.size(), flags);
}

std::string NormalizeNewlines(std::string_view text, int* flags) {
  const std::size_t length = NormalizedLength(text, flags);
  if (length == text.size()) return std::string(text);  // every line end is CR LF already
  std::string out(length, '\0');
  WriteNormalized(Bytes(text), text.size(), reinterpret_cast<Byte*>(out.data()));
  return out;
}

namespace {

// The last CR or LF in [floor, end), or npos; nothing below `floor` is read.
class LineEndsBackwards {
 public:
  LineEndsBackwards(const char* bytes, std::size_t floor, std::size_t end, int flags)
      : m_bytes(bytes), m_floor(floor), m_cr((flags & kNewlineSawCr) ? Find('\r', end) : kNone),
        m_lf((flags & kNewlineSawLf) ? Find('\n', end) : kNone) {}

  std::size_t Before(std::size_t end) {
    // Each search starts where the last one stopped: the bytes are searched once in all.
    if (m_cr != kNone && m_cr >= end) m_cr = Find('\r', end);
    if (m_lf != kNone && m_lf >= end) m_lf = Find('\n', end);
    if (m_cr == kNone) return m_lf;
    if (m_lf == kNone) return m_cr;
    return std::max(m_cr, m_lf);
  }
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

 private:
  std::size_t Find(char c, std::size_t end) const {
    const void* hit = end > m_floor ? ::memrchr(m_bytes + m_floor, c, end - m_floor) : nullptr;
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - m_bytes) : kNone;
  }

  const char* m_bytes;
  std::size_t m_floor;
  std::size_t m_cr, m_lf;
};

// Normalises the bytes [from, end) of `d` where they lie so that they end at
// `to` (end plus the bytes they gain), from the back: the gap between what is
// written and what is still to be read is the number of line ends yet to gain
// a byte, so no byte is overwritten before it is read. Nothing below `from`
// is read or written, and the byte before `from` must not be a CR.
void FillBackward(char* d, std::size_t from, std::size_t end, std::size_t to, int seen) {
  LineEndsBackwards ends(d, from, end, seen);
  std::size_t r = end, w = to;
  while (w > r) {
    const std::size_t j = ends.Before(r);
    if (j == LineEndsBackwards::kNone) {  // the rest moves up whole
      std::memmove(d + w - (r - from), d + from, r - from);
      return;
    }
    const std::size_t run = r - (j + 1);
    std::memmove(d + w - run, d + j + 1, run);
    w -= run;
    const bool pair = d[j] == '\n' && j > from && d[j - 1] == '\r';
    d[--w] = '\n';
    d[--w] = '\r';
    r = pair ? j - 1 : j;
  }
}

}  // namespace

bool NormalizeNewlinesInPlace(ByteBuffer& text, int* flags) {
  int seen = 0;
  const std::size_t n = text.Size();
  const std::size_t length = CountNormalized(Bytes(text.View()), n, &seen);
  if (flags) *flags = seen;
  if (length == n) return true;
  if (!text.Resize(length)) return false;
  FillBackward(text.Data(), 0, n, length, seen);
  return true;
}

std::size_t CutAfterLf(std::string_view text, std::size_t from) {
  const std::size_t lf = text.find('\n', from);
  return lf == std::string_view::npos ? text.size() : lf + 1;
}

bool NormalizeNewlinesInPlace(ByteBuffer& text, std::size_t cut, std::size_t firstLength, std::size_t secondLength,
                              int flags) {
  const std::size_t n = text.Size();
  const std::size_t length = firstLength + secondLength;
  if (length == n) return true;
  // The first piece grows into the second's first bytes, so those are
  // normalised aside first (up to `rest`, just past an LF) and copied into
  // place once the rest of the second piece, which starts above where the
  // first piece ends, has been moved up.
  const std::size_t rest = cut > 0 && cut < n ? CutAfterLf(text.View(), std::max(cut, firstLength)) : n;
  if (rest >= n) {
    if (!text.Resize(length)) return false;
    FillBackward(text.Data(), 0, n, length, flags);
    return true;
  }
  const std::string aside = NormalizeNewlines(text.View().substr(cut, rest - cut));
  if (!text.Resize(length)) return false;
  char* const d = text.Data();
  RunOnTwoThreads([d, cut, firstLength, flags] { FillBackward(d, 0, cut, firstLength, flags); },
                  [d, rest, n, length, flags] { FillBackward(d, rest, n, length, flags); });
  std::memcpy(d + firstLength, aside.data(), aside.size());
  return true;
}

int NewlineCodeFromFlags(int flags, int current) {
  switch (flags & (kNewlineSawCr | kNewlineSawLf)) {
    case kNewlineSawCr: return kNewlineCr;
    case kNewlineSawLf: return kNewlineLf;
    case kNewlineSawCr | kNewlineSawLf: return kNewlineCrLf;
    default: return current;
  }
}

void ReplaceCrLf(std::string& bytes, int newlineCode) {
  if (newlineCode != kNewlineLf && newlineCode != kNewlineCr) return;
  // The output never runs ahead of the input, so the pass works in place.
  const char keep = newlineCode == kNewlineLf ? '\n' : '\r';
  char* const d = bytes.data();
  const std::size_t n = bytes.size();
  std::size_t r = 0, w = 0;
  while (r < n) {
    const void* cr = std::memchr(d + r, '\r', n - r);
    const std::size_t at = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - d) : n;
    if (at + 1 >= n) break;
    if (d[at + 1] != '\n') {
      // A CR of its own is copied with the run before it.
      std::memmove(d + w, d + r, at + 1 - r);
      w += at + 1 - r;
      r = at + 1;
      continue;
    }
    std::memmove(d + w, d + r, at - r);
    w += at - r;
    d[w++] = keep;
    r = at + 2;
  }
  std::memmove(d + w, d + r, n - r);
  w += n - r;
  bytes.resize(w);
}

}  // namespace corvella
