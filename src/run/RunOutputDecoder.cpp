// What a child prints, turned into the output pane's text as it arrives: Shift_JIS with CR LF.
#include "run/RunOutputDecoder.h"

#include <cstdint>
#include <cstring>

#include "text/SjisBytes.h"
#include "text/SjisUtf8.h"

namespace corvella {
namespace {

// Length of the UTF-8 sequence a lead byte starts (0 for a byte that cannot
// start one), and the bounds its second byte must keep.
int Utf8Length(unsigned char c, unsigned char& lo, unsigned char& hi) {
  lo = 0x80;
  hi = 0xBF;
  if (c < 0x80) return 1;
  if (InRange(c, 0xC2, 0xDF)) return 2;
  if (InRange(c, 0xE0, 0xEF)) {
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
    return 3;
  }
  if (InRange(c, 0xF0, 0xF4)) {
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
    return 4;
  }
  return 0;
}

// Whether `bytes` is valid UTF-8 but for an incomplete sequence at its end,
// whose start is put in `complete`; `ascii` tells whether no byte before it
// was above 7F.
bool IsUtf8(std::string_view bytes, std::size_t& complete, bool& ascii) {
  ascii = true;
  std::size_t i = 0;
  while (i < bytes.size()) {
    // Most output is ASCII: 32 bytes at a time while it is.
    if (i + 32 <= bytes.size()) {
      std::uint64_t words[4];
      std::memcpy(words, bytes.data() + i, sizeof words);
      if (((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ull) == 0) {
        i += 32;
        continue;
      }
    }
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    ascii = false;
    unsigned char lo, hi;
    const int n = Utf8Length(c, lo, hi);
    if (n == 0) return false;
    for (int k = 1; k < n; ++k) {
      if (i + k == bytes.size()) {
        complete = i;
        return true;
      }
      const auto d = static_cast<unsigned char>(bytes[i + k]);
      if (!InRange(d, k == 1 ? lo : 0x80, k == 1 ? hi : 0xBF)) return false;
    }
    i += static_cast<std::size_t>(n);
  }
  complete = bytes.size();
  return true;
}

// Start of a Shift_JIS lead byte left without its second byte at the end.
std::size_t SjisComplete(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (IsSjisLeadByte(static_cast<unsigned char>(bytes[i]))) {
      if (i + 1 == bytes.size()) return i;
      i += 2;
    } else {
      ++i;
    }
  }
  return bytes.size();
}

}  // namespace

// `bytes` never lies in m_pending: the callers join into a string of their own.
void RunOutputDecoder::Convert(std::string_view bytes, bool final, std::string& out) {
  std::size_t complete = 0;
  bool ascii = true;
  if (IsUtf8(bytes, complete, ascii)) {
    if (ascii) Newlines(bytes.substr(0, complete), out);
    else Newlines(Utf8ToSjis(bytes.substr(0, complete)).text, out);
    // At the end an unfinished sequence is shown as the bytes it is.
    if (final) Newlines(bytes.substr(complete), out);
    m_pending.assign(final ? std::string_view() : bytes.substr(complete));
    return;
  }
  complete = final ? bytes.size() : SjisComplete(bytes);
  Newlines(bytes.substr(0, complete), out);
  m_pending.assign(bytes.substr(complete));
}

void RunOutputDecoder::Newlines(std::string_view text, std::string& out) {
  out.reserve(out.size() + text.size() + text.size() / 32);
  std::size_t from = 0;
  while (from < text.size()) {
    const void* found = std::memchr(text.data() + from, '\n', text.size() - from);
    const std::size_t lf = found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : text.size();
    if (lf == text.size()) {
      out.append(text.data() + from, lf - from);
      break;
    }
    const bool afterCr = lf > 0 ? text[lf - 1] == '\r' : m_lastWasCr;
    // The line and its end in one append when a CR goes in.
    if (afterCr) {
      out.append(text.data() + from, lf + 1 - from);
    } else {
      out.append(text.data() + from, lf - from);
      out.append("\r\n", 2);
    }
    from = lf + 1;
  }
  if (!text.empty()) m_lastWasCr = text.back() == '\r';
}

void RunOutputDecoder::Feed(std::string_view bytes, std::string& out) {
  if (m_pending.empty()) return Convert(bytes, false, out);
  std::string joined = m_pending;
  joined += bytes;
  Convert(joined, false, out);
}

void RunOutputDecoder::Finish(std::string& out) {
  if (m_pending.empty()) return;
  const std::string rest = m_pending;
  Convert(rest, true, out);
}

std::string RunOutputDecoder::Feed(std::string_view bytes) {
  std::string out;
  Feed(bytes, out);
  return out;
}

std::string RunOutputDecoder::Finish() {
  std::string out;
  Finish(out);
  return out;
}

}  // namespace corvella
