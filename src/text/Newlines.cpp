// Line-end normalisation: every CR, LF and CR LF becomes CR LF, and the kinds seen are reported.
#include "text/Newlines.h"

#include <cstring>

namespace corvella {
namespace {

// Position of the next CR or LF at or after `p`, or `end`.
inline const char* NextLineEnd(const char* p, const char* end) {
  while (p < end) {
    // Bytes above CR can never be a line end; most text is made of them.
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c <= '\r' && (c == '\r' || c == '\n')) return p;
    ++p;
  }
  return end;
}

// One pass shared by counting and writing, so the two can never disagree.
// Each CR, LF or CR LF becomes one CR LF; a CR CR counts as a lone CR then
// a new pending CR.
template <bool kWrite>
std::size_t Normalize(std::string_view text, char* out, int* flags) {
  const char* p = text.data();
  const char* const end = p + text.size();
  std::size_t n = 0;
  int seen = 0;
  while (p < end) {
    const char* stop = NextLineEnd(p, end);
    const std::size_t run = static_cast<std::size_t>(stop - p);
    if constexpr (kWrite) std::memcpy(out + n, p, run);
    n += run;
    if (stop == end) break;
    if (*stop == '\r') {
      if (stop + 1 < end && stop[1] == '\n') {
        seen |= kNewlineSawLf;  // a pair counts as an LF after the CR
        seen |= kNewlineSawCr;
        p = stop + 2;
      } else {
        seen |= kNewlineSawCr;
        p = stop + 1;
      }
    } else {
      seen |= kNewlineSawLf;
      p = stop + 1;
    }
    if constexpr (kWrite) {
      out[n] = '\r';
      out[n + 1] = '\n';
    }
    n += 2;
  }
  if (flags) *flags = seen;
  return n;
}

}  // namespace

std::size_t NormalizedLength(std::string_view text, int* flags) {
  return Normalize<false>(text, nullptr, flags);
}

std::string NormalizeNewlines(std::string_view text, int* flags) {
  std::string out(Normalize<false>(text, nullptr, nullptr), '\0');
  Normalize<true>(text, out.data(), flags);
  return out;
}

int NewlineCodeFromFlags(int flags, int current) {
  switch (flags & (kNewlineSawCr | kNewlineSawLf)) {
    case kNewlineSawCr: return kNewlineCr;
    case kNewlineSawLf: return kNewlineLf;
    case kNewlineSawCr | kNewlineSawLf: return kNewlineCrLf;
    default: return current;
  }
}

}  // namespace corvella
