// Searching an EditBuffer for a byte string: chunked reads, a memchr prefilter, Shift_JIS-aware comparison.
#include "document/TextSearch.h"

#include <algorithm>
#include <cstring>

#include "document/SjisChar.h"

namespace corvella {
namespace {

// Small enough that a search finding its match close by copies little.
constexpr std::size_t kFirstChunk = 4096;

constexpr bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

constexpr unsigned char FoldAscii(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

}  // namespace

// A copy of [start, end) of the buffer; reads outside it fall back to the
// buffer, which only the short look-behind of a boundary check needs.
class TextSearch::Chunk {
 public:
  Chunk(const EditBuffer& buffer, std::size_t start, std::size_t end)
      : buffer_(buffer), start_(start), bytes_(buffer.GetText(start, end)) {}

  std::size_t Start() const { return start_; }
  std::string_view Bytes() const { return bytes_; }
  std::size_t TextLength() const { return buffer_.GetTextLength(); }

  unsigned char operator()(std::size_t pos) const {
    if (pos >= start_ && pos - start_ < bytes_.size()) return static_cast<unsigned char>(bytes_[pos - start_]);
    return buffer_.ByteAt(pos);
  }

 private:
  const EditBuffer& buffer_;
  std::size_t start_;
  std::string bytes_;
};

TextSearch::TextSearch(std::string_view needle, bool matchCase, std::size_t maxChunk)
    : needle_(needle), matchCase_(matchCase), maxChunk_(std::max<std::size_t>(maxChunk, 1)) {}

bool TextSearch::MatchesAt(std::string_view text, std::size_t at) const {
  const std::size_t n = needle_.size();
  const auto* t = reinterpret_cast<const unsigned char*>(text.data()) + at;
  const auto* w = reinterpret_cast<const unsigned char*>(needle_.data());
  const std::size_t avail = text.size() - at;
  std::size_t i = 0;
  while (i < n) {
    // The text decides where its characters are: a double-byte character
    // compares exactly and must lie wholly inside the match.
    if (IsSjisLeadByte(t[i]) && i + 1 < avail && IsSjisTrailByte(t[i + 1])) {
      if (i + 1 == n || t[i] != w[i] || t[i + 1] != w[i + 1]) return false;
      i += 2;
    } else {
      if (t[i] != w[i] && (matchCase_ || FoldAscii(t[i]) != FoldAscii(w[i]))) return false;
      ++i;
    }
  }
  return !(t[n - 1] == '\r' && n < avail && t[n] == '\n');
}

std::size_t TextSearch::ScanChunk(const Chunk& chunk, std::size_t to, std::size_t& boundary,
                                  bool first) const {
  const std::string_view text = chunk.Bytes();
  const std::size_t base = chunk.Start();
  const char* const data = text.data();
  const char* const stop = data + (to - base);
  const auto c0 = static_cast<unsigned char>(needle_[0]);
  const unsigned char c1 =
      !matchCase_ && IsAsciiLetter(c0) ? static_cast<unsigned char>(c0 ^ ('a' - 'A')) : c0;

  auto next = [stop](const char* from, unsigned char c) -> const char* {
    return from < stop ? static_cast<const char*>(std::memchr(from, c, static_cast<std::size_t>(stop - from)))
                       : nullptr;
  };
  const char* hit0 = next(data, c0);
  const char* hit1 = c1 != c0 ? next(data, c1) : nullptr;

  std::size_t found = npos;
  while (hit0 || hit1) {
    const bool take0 = hit0 && (!hit1 || hit0 < hit1);
    const char* hit = take0 ? hit0 : hit1;
    const auto at = static_cast<std::size_t>(hit - data);
    const std::size_t pos = base + at;
    if (MatchesAt(text, at)) {
      const bool insideBreak = text[at] == '\n' && pos > 0 && chunk(pos - 1) == '\r';
      boundary = SjisCharStart(chunk, boundary, chunk.TextLength(), pos);
      if (!insideBreak && boundary == pos) {
        found = pos;
        if (first) return found;
      }
    }
    if (take0) {
      hit0 = next(hit + 1, c0);
    } else {
      hit1 = next(hit + 1, c1);
    }
  }
  return found;
}

std::size_t TextSearch::FindForward(const EditBuffer& buffer, std::size_t from) const {
  const std::size_t n = needle_.size();
  const std::size_t length = buffer.GetTextLength();
  if (n == 0 || n > length || from > length - n) return npos;
  const std::size_t last = length - n;
  std::size_t boundary = buffer.CharStart(from);
  std::size_t step = std::min(kFirstChunk, maxChunk_);
  std::size_t pos = from;
  while (pos <= last) {
    const std::size_t to = pos + std::min(step, last + 1 - pos);
    // The byte after a match tells whether the match splits a character.
    const Chunk chunk(buffer, pos, std::min(length, to + n));
    const std::size_t found = ScanChunk(chunk, to, boundary, true);
    if (found != npos) return found;
    pos = to;
    step = std::min(step * 2, maxChunk_);
  }
  return npos;
}

std::size_t TextSearch::FindBackward(const EditBuffer& buffer, std::size_t before) const {
  const std::size_t n = needle_.size();
  const std::size_t length = buffer.GetTextLength();
  if (n == 0 || n > length || before == 0) return npos;
  std::size_t step = std::min(kFirstChunk, maxChunk_);
  std::size_t hi = std::min(before, length - n + 1);
  while (hi > 0) {
    const std::size_t lo = hi - std::min(step, hi);
    const Chunk chunk(buffer, lo, std::min(length, hi + n));
    std::size_t boundary = buffer.CharStart(lo);
    const std::size_t found = ScanChunk(chunk, hi, boundary, false);
    if (found != npos) return found;
    hi = lo;
    step = std::min(step * 2, maxChunk_);
  }
  return npos;
}

std::size_t TextSearch::FindFromSelection(const EditBuffer& buffer, bool down) const {
  const EditBuffer::Selection sel = buffer.GetSel();
  return down ? FindForward(buffer, sel.End()) : FindBackward(buffer, sel.Start());
}

bool TextSearch::SelectionMatches(const EditBuffer& buffer) const {
  const EditBuffer::Selection sel = buffer.GetSel();
  if (needle_.empty() || sel.End() - sel.Start() != needle_.size()) return false;
  return MatchesAt(buffer.GetText(sel.Start(), sel.End() + 1), 0);
}

}  // namespace corvella
