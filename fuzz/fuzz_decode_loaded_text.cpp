// libFuzzer target: the load pipeline (codes from the first byte, out of range included) and a save after it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/KanjiDetect.h"
#include "text/LoadedText.h"
#include "text/Newlines.h"

using namespace corvella;

namespace {

// Every CR is followed by LF and every LF follows a CR.
bool OnlyCrLf(const std::string& s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n')) return false;
    if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int control = static_cast<std::int8_t>(data[0]);
  const std::string raw(reinterpret_cast<const char*>(data + 1), size - 1);
  int flags = 0;
  const std::string normal = NormalizeNewlines(raw, &flags);
  if (!OnlyCrLf(normal) || normal.size() != NormalizedLength(raw) || normal.size() < raw.size()) std::abort();
  ByteBuffer inPlace(raw);
  int inPlaceFlags = 0;
  if (!NormalizeNewlinesInPlace(inPlace, &inPlaceFlags) || inPlace != normal || inPlaceFlags != flags) std::abort();
  // The loader detects before it normalises: both must give one verdict.
  if (KanjiDetect(raw) != KanjiDetect(normal)) std::abort();

  int encoding = control % 6 - 1, newline = control / 6 % 5 - 1;  // -1 .. 4 and -1 .. 3
  const bool autoDetect = control & 0x40;
  const LoadedText decoded = DecodeLoadedText(raw, autoDetect, encoding, newline);
  struct {
    std::string text;
    std::size_t changed;
    bool writesBack, byteOrderMark;
  } const loaded{std::string(decoded.text.View()), decoded.changed, decoded.writesBack, decoded.byteOrderMark};
  if (encoding < 0 || encoding >= kEncodingCodeCount || newline < kNewlineCrLf || newline > kNewlineCr) std::abort();
  if (flags != 0 && newline != NewlineCodeFromFlags(flags, -1)) std::abort();
  if (encoding == kEncodingSjis && loaded.text != normal) std::abort();
  if (encoding != kEncodingUtf8 && loaded.changed != 0) std::abort();

  const SavedText saved = EncodeTextForSave(loaded.text, encoding, newline);
  if (encoding == kEncodingSjis && newline == kNewlineCrLf) {
    const bool addsEnd = !loaded.text.empty() && loaded.text.back() != '\n';
    if (saved.bytes != loaded.text + (addsEnd ? "\r\n" : "")) std::abort();
  }
  // A text said to write back gives the file's bytes again, line ends aside
  // (and the line end a save adds).
  if (loaded.writesBack) {
    const bool addsEnd = !loaded.text.empty() && loaded.text.back() != '\n';
    if (EncodeTextForSave(loaded.text, encoding, kNewlineCrLf, loaded.byteOrderMark).bytes !=
        normal + (addsEnd ? "\r\n" : "")) {
      std::abort();
    }
  }
  return 0;
}
