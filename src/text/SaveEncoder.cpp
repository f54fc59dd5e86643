// The bytes a save writes, made a chunk at a time.
#include "text/SaveEncoder.h"

#include <algorithm>
#include <utility>

#include "text/KanjiConvert.h"
#include "text/KanjiDetect.h"
#include "text/Newlines.h"
#include "text/SjisBytes.h"
#include "text/SjisUtf8.h"

namespace corvella {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kChunk = std::size_t{1} << 20;

int ValidEncoding(int code) { return code >= 0 && code < kEncodingCodeCount ? code : kEncodingSjis; }
int ValidNewline(int code) { return code >= kNewlineCrLf && code <= kNewlineCr ? code : kNewlineCrLf; }

// Bytes the EUC-JP and JIS conversions take as the first of a pair, whatever follows.
bool TakesNextByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x80 && !InRange(b, 0xA1, 0xDF);
}

}  // namespace

// A chunk ends after a byte below 40 that is a character of its own: every
// conversion is then between characters and JIS back in its ASCII mode.
// (No conversion takes such a byte as a second byte unless a pair's first
// byte comes before it: an even run of those before it has paired up.) Not
// after a CR, whose LF may follow in the next chunk.
std::size_t SaveChunkEnd(std::string_view text, std::size_t start, std::size_t chunk) {
  if (text.size() - start <= chunk) return text.size();
  for (std::size_t i = start + chunk; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x40 || text[i] == '\r') continue;
    std::size_t firsts = 0;
    while (i - firsts > start && TakesNextByte(text[i - firsts - 1])) ++firsts;
    if (firsts % 2 == 0) return i + 1;
  }
  return text.size();
}

std::string_view EncodeSaveChunk(std::string_view chunk, int encodingCode, std::string& out, std::size_t& changed) {
  std::size_t length = 0;
  switch (ValidEncoding(encodingCode)) {
    case kEncodingEuc:
      out.resize(SjisToEucBound(chunk.size()));
      length = SjisToEuc(chunk, out.data());
      break;
    case kEncodingJis:
      out.resize(SjisToJisBound(chunk.size()));
      length = SjisToJis(chunk, out.data());
      break;
    case kEncodingUtf8: {
      std::size_t replaced = 0;
      out.resize(SjisToUtf8Bound(chunk.size()));
      length = SjisToUtf8(chunk, out.data(), &replaced);
      changed += replaced;
      break;
    }
    default:
      return chunk;
  }
  return std::string_view(out.data(), length);
}

SaveEncoder::SaveEncoder(int encodingCode, int newlineCode, bool byteOrderMark, Sink sink)
    : m_encoding(ValidEncoding(encodingCode)),
      m_newline(ValidNewline(newlineCode)),
      m_byteOrderMark(byteOrderMark && m_encoding == kEncodingUtf8),
      m_sink(std::move(sink)) {}

int SaveEncoder::Add(std::string_view piece) {
  if (piece.empty()) return m_error;
  m_empty = false;
  m_endsInLf = piece.back() == '\n';
  // A large piece goes through a chunk at a time, never copied whole.
  while (!m_error && !piece.empty()) {
    const std::size_t take = std::min(piece.size(), kChunk);
    m_pending.append(piece.substr(0, take));
    piece.remove_prefix(take);
    if (m_pending.size() < 2 * kChunk) continue;
    const std::size_t end = SaveChunkEnd(m_pending, 0, kChunk);
    // No place to cut yet (no byte below 40 at all): wait for more.
    if (end < m_pending.size()) Flush(end);
  }
  return m_error;
}

int SaveEncoder::Finish() {
  if (m_error) return m_error;
  if (!m_empty && !m_endsInLf) m_pending.append("\r\n");
  return Flush(m_pending.size());
}

int SaveEncoder::Flush(std::size_t end) {
  if (!m_started) {
    m_started = true;
    if (m_byteOrderMark && (m_error = m_sink(kUtf8Bom)) != 0) return m_error;
  }
  const std::string_view chunk(m_pending.data(), end);
  std::string_view bytes = EncodeSaveChunk(chunk, m_encoding, m_out, m_changed);
  if (m_newline != kNewlineCrLf) {
    if (bytes.data() != m_out.data()) m_out.assign(bytes);
    m_out.resize(bytes.size());
    ReplaceCrLf(m_out, m_newline);
    bytes = m_out;
  }
  if (!bytes.empty()) m_error = m_sink(bytes);
  m_pending.erase(0, end);
  return m_error;
}

}  // namespace corvella
