// The load and save pipelines between a file's bytes and the editor's Shift_JIS CR LF text.
#include "text/LoadedText.h"

#include "text/KanjiConvert.h"
#include "text/KanjiDetect.h"
#include "text/Newlines.h"
#include "text/SjisUtf8.h"

namespace corvella {
namespace {

int ValidEncoding(int code) { return code >= 0 && code < kEncodingCodeCount ? code : kEncodingSjis; }
int ValidNewline(int code) { return code >= kNewlineCrLf && code <= kNewlineCr ? code : kNewlineCrLf; }

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

LoadedText DecodeLoadedText(std::string_view raw, bool autoDetect, int& encodingCode, int& newlineCode) {
  LoadedText result;
  int flags = 0;
  result.text = NormalizeNewlines(raw, &flags);
  newlineCode = NewlineCodeFromFlags(flags, ValidNewline(newlineCode));
  encodingCode = ValidEncoding(encodingCode);
  result.byteOrderMark = raw.starts_with(kUtf8Bom);
  // Detection sees the normalised text, so the newline code is settled first.
  if (result.byteOrderMark) encodingCode = kEncodingUtf8;
  else if (autoDetect) encodingCode = EncodingCodeFromDetection(KanjiDetect(result.text), encodingCode);
  switch (encodingCode) {
    case kEncodingEuc:
      EucToSjis(result.text);
      break;
    case kEncodingJis:
      JisToSjis(result.text);
      break;
    case kEncodingUtf8: {
      std::string_view utf8 = result.text;
      if (result.byteOrderMark) utf8.remove_prefix(kUtf8Bom.size());
      ConvertedText sjis = Utf8ToSjis(utf8);
      result.text = std::move(sjis.text);
      result.changed = sjis.changed;
      break;
    }
    default:
      break;
  }
  return result;
}

SavedText EncodeTextForSave(std::string_view text, int encodingCode, int newlineCode, bool byteOrderMark) {
  // A saved file always ends with a line end.
  std::string withEnd;
  if (!text.empty() && text.back() != '\n') {
    withEnd.reserve(text.size() + 2);
    withEnd.append(text).append("\r\n");
    text = withEnd;
  }
  SavedText result;
  switch (ValidEncoding(encodingCode)) {
    case kEncodingEuc:
      result.bytes.resize(SjisToEucBound(text.size()));
      result.bytes.resize(SjisToEuc(text, result.bytes.data()));
      break;
    case kEncodingJis:
      result.bytes.resize(SjisToJisBound(text.size()));
      result.bytes.resize(SjisToJis(text, result.bytes.data()));
      break;
    case kEncodingUtf8: {
      const std::string_view mark = byteOrderMark ? kUtf8Bom : std::string_view();
      result.bytes.resize(mark.size() + SjisToUtf8Bound(text.size()));
      result.bytes.replace(0, mark.size(), mark);
      result.bytes.resize(mark.size() + SjisToUtf8(text, result.bytes.data() + mark.size(), &result.changed));
      break;
    }
    default:
      result.bytes = withEnd.empty() ? std::string(text) : std::move(withEnd);
      break;
  }
  ReplaceCrLf(result.bytes, ValidNewline(newlineCode));
  return result;
}

}  // namespace corvella
