// The load and save pipelines between a file's bytes and the editor's Shift_JIS CR LF text.
#include "text/LoadedText.h"

#include <algorithm>
#include <new>

#include "text/KanjiConvert.h"
#include "text/KanjiDetect.h"
#include "text/Newlines.h"
#include "text/SaveEncoder.h"
#include "text/SjisUtf8.h"
#include "text/TwoThreads.h"

namespace corvella {
namespace {

int ValidEncoding(int code) { return code >= 0 && code < kEncodingCodeCount ? code : kEncodingSjis; }
int ValidNewline(int code) { return code >= kNewlineCrLf && code <= kNewlineCr ? code : kNewlineCrLf; }

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Reads the file's bytes as the load saw them: every CR, LF and CR LF as CR LF.
class NormalizedFile {
 public:
  explicit NormalizedFile(std::string_view raw) : m_raw(raw), m_nextCr(Find('\r', 0)), m_nextLf(Find('\n', 0)) {}

  // Whether `bytes` come next; on false the position is of no further use.
  bool Next(std::string_view bytes) {
    while (!bytes.empty()) {
      if (m_lfDue) {
        if (bytes.front() != '\n') return false;
        m_lfDue = false;
        bytes.remove_prefix(1);
        continue;
      }
      const std::size_t lineEnd = LineEnd();
      if (m_pos == lineEnd) {
        if (m_pos == m_raw.size() || bytes.front() != '\r') return false;
        m_pos += m_raw.substr(m_pos, 2) == "\r\n" ? 2 : 1;
        m_lfDue = true;
        bytes.remove_prefix(1);
        continue;
      }
      const std::size_t n = std::min(bytes.size(), lineEnd - m_pos);
      if (m_raw.substr(m_pos, n) != bytes.substr(0, n)) return false;
      m_pos += n;
      bytes.remove_prefix(n);
    }
    return true;
  }
  bool AtEnd() const { return m_pos == m_raw.size() && !m_lfDue; }

 private:
  std::size_t Find(char c, std::size_t from) const {
    const std::size_t at = m_raw.find(c, from);
    return at == std::string_view::npos ? m_raw.size() : at;
  }
  // The next CR or LF; each search starts where the last one stopped, so the
  // bytes are searched once in all.
  std::size_t LineEnd() {
    if (m_nextCr < m_pos) m_nextCr = Find('\r', m_pos);
    if (m_nextLf < m_pos) m_nextLf = Find('\n', m_pos);
    return std::min(m_nextCr, m_nextLf);
  }

  std::string_view m_raw;
  std::size_t m_pos = 0;
  std::size_t m_nextCr, m_nextLf;
  bool m_lfDue = false;  // a line end's CR matched, its LF not yet
};

// The round trip goes a chunk at a time, so that it never holds a second copy
// of a large text.
constexpr std::size_t kChunk = std::size_t{1} << 20;

// Whether saving `text` in `encodingCode` gives back the bytes it was read
// from, line ends aside: the load makes every one CR LF, the newline code
// settles how a save writes them, and a save adds one at the end. The added
// one goes through the conversion with the text before it, as in a save (a
// lone lead byte at the end takes its CR).
bool WritesBack(std::string_view text, int encodingCode, bool byteOrderMark, std::string_view raw) {
  NormalizedFile file(raw);
  if (byteOrderMark && !file.Next(kUtf8Bom)) return false;
  const bool addsEnd = !text.empty() && text.back() != '\n';
  std::string out, last;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = SaveChunkEnd(text, start, kChunk);
    std::string_view chunk = text.substr(start, end - start);
    const bool withEnd = addsEnd && end == text.size();
    if (withEnd) chunk = last.append(chunk).append("\r\n");
    std::size_t changed = 0;
    std::string_view bytes = EncodeSaveChunk(chunk, encodingCode, out, changed);
    if (withEnd) {
      if (!bytes.ends_with("\r\n")) return false;
      bytes.remove_suffix(2);
    }
    if (!file.Next(bytes)) return false;
    start = end;
  }
  return file.AtEnd();
}

// Below this a second thread costs more than it saves.
constexpr std::size_t kTwoThreadMinimum = std::size_t{1} << 20;

// What the load reads from the raw bytes before it changes them: their
// detection (when asked for) and the normalised lengths of the pieces before
// and after `cut`. A large text is cut just past an LF near its middle and
// its pieces are read on two threads; a small one is not cut (`cut` is 0).
struct RawSurvey {
  int detection = kDetectAscii;
  std::size_t cut = 0;
  std::size_t firstLength = 0;
  std::size_t secondLength = 0;
  int flags = 0;
};

RawSurvey SurveyRaw(std::string_view raw, bool detect) {
  RawSurvey survey;
  if (raw.size() >= kTwoThreadMinimum) survey.cut = CutAfterLf(raw, raw.size() / 2);
  if (survey.cut >= raw.size()) survey.cut = 0;
  const std::string_view first = raw.substr(0, survey.cut), second = raw.substr(survey.cut);
  int firstDetection = kDetectAscii, secondDetection = kDetectAscii, firstFlags = 0, secondFlags = 0;
  const auto readFirst = [&] {
    if (detect) firstDetection = KanjiDetect(first);
    survey.firstLength = NormalizedLength(first, &firstFlags);
  };
  const auto readSecond = [&] {
    if (detect) secondDetection = KanjiDetect(second);
    survey.secondLength = NormalizedLength(second, &secondFlags);
  };
  if (survey.cut == 0) {
    readSecond();
    survey.detection = secondDetection;
  } else {
    RunOnTwoThreads(readFirst, readSecond);
    if (detect) survey.detection = CombineDetections(first, firstDetection, second, secondDetection);
  }
  survey.flags = firstFlags | secondFlags;
  return survey;
}

void Normalize(ByteBuffer& text, const RawSurvey& survey) {
  if (!NormalizeNewlinesInPlace(text, survey.cut, survey.firstLength, survey.secondLength, survey.flags)) {
    throw std::bad_alloc();
  }
}

}  // namespace

LoadedText DecodeLoadedText(ByteBuffer raw, bool autoDetect, int& encodingCode, int& newlineCode) {
  LoadedText result;
  encodingCode = ValidEncoding(encodingCode);
  result.byteOrderMark = raw.View().starts_with(kUtf8Bom);
  // Adding the missing half of a line end changes no test's verdict (CR and
  // LF pass and fail the same tests, and neither pairs with a byte before
  // it), so the raw bytes are read before they are normalised.
  const RawSurvey survey = SurveyRaw(raw.View(), autoDetect && !result.byteOrderMark);
  if (result.byteOrderMark) encodingCode = kEncodingUtf8;
  else if (autoDetect) encodingCode = EncodingCodeFromDetection(survey.detection, encodingCode);
  if (encodingCode == kEncodingSjis) {
    // Shift_JIS is not converted, so it always comes back.
    Normalize(raw, survey);
    newlineCode = NewlineCodeFromFlags(survey.flags, ValidNewline(newlineCode));
    result.text = std::move(raw);
    return result;
  }
  ByteBuffer text(raw.View());
  Normalize(text, survey);
  newlineCode = NewlineCodeFromFlags(survey.flags, ValidNewline(newlineCode));
  // An empty text has no bytes to convert (nor an allocation to convert in).
  if (encodingCode == kEncodingEuc && !text.Empty()) {
    text.Resize(EucToSjis(text.Data(), text.Size()));
  } else if (encodingCode == kEncodingJis && !text.Empty()) {
    text.Resize(JisToSjis(text.Data(), text.Size()));
  } else if (encodingCode == kEncodingUtf8) {
    std::string_view utf8 = text.View();
    if (result.byteOrderMark) utf8.remove_prefix(kUtf8Bom.size());
    ByteBuffer sjis;
    if (!utf8.empty()) {
      if (!sjis.Resize(Utf8ToSjisBound(utf8.size()))) throw std::bad_alloc();
      sjis.Resize(Utf8ToSjis(utf8, sjis.Data(), &result.changed));
    }
    text = std::move(sjis);
  }
  result.writesBack = WritesBack(text.View(), encodingCode, result.byteOrderMark, raw.View());
  result.text = std::move(text);
  return result;
}

LoadedText DecodeLoadedText(std::string_view raw, bool autoDetect, int& encodingCode, int& newlineCode) {
  return DecodeLoadedText(ByteBuffer(raw), autoDetect, encodingCode, newlineCode);
}

SavedText EncodeTextForSave(std::string_view text, int encodingCode, int newlineCode, bool byteOrderMark) {
  SavedText result;
  SaveEncoder encoder(encodingCode, newlineCode, byteOrderMark, [&result](std::string_view bytes) {
    result.bytes.append(bytes);
    return 0;
  });
  encoder.Add(text);
  encoder.Finish();
  result.changed = encoder.Changed();
  return result;
}

}  // namespace corvella
