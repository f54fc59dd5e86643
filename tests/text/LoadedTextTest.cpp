// The load and save pipelines: line ends, detection, the encoding and newline codes, NUL bytes and counts.
#include "text/LoadedText.h"

#include <gtest/gtest.h>

#include <random>

#include "KanjiTestText.h"
#include "text/KanjiDetect.h"
#include "text/Newlines.h"

using namespace corvella;
using namespace std::string_literals;

namespace {

struct Loaded {
  std::string text;
  std::size_t changed;
  int encoding, newline;
};

Loaded Load(const std::string& raw, bool autoDetect, int encoding, int newline) {
  LoadedText t = DecodeLoadedText(raw, autoDetect, encoding, newline);
  return {std::string(t.text.View()), t.changed, encoding, newline};
}

// Shift_JIS: "亜 ｱ" and a line with an ASCII word.
const std::string kSjis = "\x88\x9F \xB1\r\nPerl \x88\x9F\r\n";

TEST(LoadedText, EmptyFileChangesNothing) {
  const Loaded l = Load("", true, kEncodingEuc, kNewlineCr);
  EXPECT_EQ(l.text, "");
  EXPECT_EQ(l.encoding, kEncodingEuc);
  EXPECT_EQ(l.newline, kNewlineCr);
  for (int e = 0; e < kEncodingCodeCount; ++e) EXPECT_EQ(EncodeTextForSave("", e, kNewlineLf).bytes, "");
}

TEST(LoadedText, LoadDetectsAndConvertsEveryEncodingAndLineEnd) {
  for (int encoding = 0; encoding < kEncodingCodeCount; ++encoding) {
    for (int newline = 0; newline <= kNewlineCr; ++newline) {
      const SavedText saved = EncodeTextForSave(kSjis, encoding, newline);
      EXPECT_EQ(saved.changed, 0u);
      // The other codes are wrong on purpose: the load must settle both.
      const Loaded l = Load(saved.bytes, true, (encoding + 1) % 4, (newline + 1) % 3);
      EXPECT_EQ(l.text, kSjis) << encoding << "/" << newline;
      EXPECT_EQ(l.encoding, encoding);
      EXPECT_EQ(l.newline, newline);
      EXPECT_EQ(l.changed, 0u);
    }
  }
  EXPECT_EQ(EncodeTextForSave(kSjis, kEncodingJis, kNewlineLf).bytes,
            "\x1B$B0!\x1B(B \x1B(I1\x1B(B\nPerl \x1B$B0!\x1B(B\n");
  // Without detection the document's code decides; plain ASCII and unknown bytes keep it too.
  EXPECT_EQ(Load("\xB0\xA1", false, kEncodingSjis, kNewlineCrLf).text, "\xB0\xA1");
  EXPECT_EQ(Load("\xB0\xA1", false, kEncodingEuc, kNewlineCrLf).text, "\x88\x9F");
  EXPECT_EQ(Load("abc", true, kEncodingJis, kNewlineCrLf).encoding, kEncodingJis);
  EXPECT_EQ(Load("\xFF\xFF", true, kEncodingUtf8, kNewlineCrLf).encoding, kEncodingUtf8);
  // Mixed line ends: every one becomes CR LF and the code is CR LF.
  const Loaded mixed = Load("a\rb\nc\r\n", true, kEncodingSjis, kNewlineLf);
  EXPECT_EQ(mixed.text, "a\r\nb\r\nc\r\n");
  EXPECT_EQ(mixed.newline, kNewlineCrLf);
}

TEST(LoadedText, Utf8ByteOrderMarkSettlesTheEncodingAndIsWrittenOnlyWhenAsked) {
  // The mark says UTF-8 with detection on or off, whatever the document's code.
  for (const bool detect : {true, false}) {
    int encoding = kEncodingSjis, newline = kNewlineCrLf;
    const LoadedText t = DecodeLoadedText("\xEF\xBB\xBF\xE4\xBA\x9C\n", detect, encoding, newline);
    EXPECT_EQ(t.text, "\x88\x9F\r\n");
    EXPECT_TRUE(t.byteOrderMark);
    EXPECT_EQ(encoding, kEncodingUtf8);
  }
  EXPECT_EQ(Load("\xEF\xBB\xBF", false, kEncodingEuc, kNewlineCrLf).text, "");
  // Shorter than a mark, or not at the start: bytes like any others.
  EXPECT_EQ(Load("\xEF\xBB", false, kEncodingUtf8, kNewlineCrLf).text, "?");
  EXPECT_EQ(Load("a\xEF\xBB\xBF", false, kEncodingUtf8, kNewlineCrLf).text, "a?");
  int encoding = kEncodingUtf8, newline = kNewlineCrLf;
  EXPECT_FALSE(DecodeLoadedText("a\xEF\xBB\xBF", false, encoding, newline).byteOrderMark);

  EXPECT_EQ(EncodeTextForSave("\x88\x9F", kEncodingUtf8, kNewlineCrLf).bytes, "\xE4\xBA\x9C\r\n");
  EXPECT_EQ(EncodeTextForSave("\x88\x9F\r\n", kEncodingUtf8, kNewlineLf, true).bytes, "\xEF\xBB\xBF\xE4\xBA\x9C\n");
  EXPECT_EQ(EncodeTextForSave("", kEncodingUtf8, kNewlineLf, true).bytes, "\xEF\xBB\xBF");
  EXPECT_EQ(EncodeTextForSave("a", kEncodingEuc, kNewlineLf, true).bytes, "a\n");
}

TEST(LoadedText, SaveEndsWithALineEndAndRewritesCrLfOnce) {
  EXPECT_EQ(EncodeTextForSave("a", kEncodingSjis, kNewlineCrLf).bytes, "a\r\n");
  EXPECT_EQ(EncodeTextForSave("a\n", kEncodingSjis, kNewlineCrLf).bytes, "a\n");
  EXPECT_EQ(EncodeTextForSave("a\r", kEncodingSjis, kNewlineLf).bytes, "a\r\n");  // CR then the added CR LF
  EXPECT_EQ(EncodeTextForSave("a\r\r\nb", kEncodingSjis, kNewlineLf).bytes, "a\r\nb\n");
  EXPECT_EQ(EncodeTextForSave("a\r\nb\r\n", kEncodingSjis, kNewlineCr).bytes, "a\rb\r");
  // The line end is added before the conversion: a lone lead byte at the end
  // takes its CR as second byte, as in any other pair.
  EXPECT_EQ(EncodeTextForSave("\x88", kEncodingJis, kNewlineCrLf).bytes, "\x1B$B/\xEE\x1B(B\n");
}

TEST(LoadedText, NulBytesSurviveLoadAndSaveInEveryEncoding) {
  const std::string text = "a\0\x88\x9F\0\xB1\0\r\nb\0\r\n"s;
  for (int encoding = 0; encoding < kEncodingCodeCount; ++encoding) {
    const SavedText saved = EncodeTextForSave(text, encoding, kNewlineLf);
    EXPECT_NE(saved.bytes.find('\0'), std::string::npos);
    const Loaded l = Load(saved.bytes, false, encoding, kNewlineCrLf);
    EXPECT_EQ(l.text, text) << encoding;
    EXPECT_EQ(l.newline, kNewlineLf);
  }
  // Detection treats NUL as a control byte: this is no plain ASCII, and no text is cut at it.
  const Loaded l = Load("a\0\xE4\xBA\x9C"s, true, kEncodingSjis, kNewlineCrLf);
  EXPECT_EQ(l.encoding, kEncodingUtf8);
  EXPECT_EQ(l.text, "a\0\x88\x9F"s);
}

TEST(LoadedText, CountsWhatAUtf8LoadOrSaveCouldNotKeep) {
  const std::string utf8 = "\xE3\x80\x9C \xF0\x9F\x98\x80 \xE4\xBA\x9C";
  const Loaded l = Load(utf8, false, kEncodingUtf8, kNewlineCrLf);
  EXPECT_EQ(l.text, "\x81\x60 ? \x88\x9F");
  EXPECT_EQ(l.changed, 2u);
  // With a four-byte sequence the text is not taken for UTF-8 at all.
  EXPECT_NE(Load(utf8, true, kEncodingSjis, kNewlineCrLf).encoding, kEncodingUtf8);
  EXPECT_EQ(Load("\xE3\x80\x9C", true, kEncodingSjis, kNewlineCrLf).changed, 1u);
  EXPECT_EQ(EncodeTextForSave("\x88\x9F\x85\x40\x88", kEncodingUtf8, kNewlineCrLf).changed, 2u);
  EXPECT_EQ(EncodeTextForSave("\x85\x40", kEncodingSjis, kNewlineCrLf).changed, 0u);
}

bool WritesBack(const std::string& raw, int encoding) {
  int newline = kNewlineCrLf;
  return DecodeLoadedText(raw, false, encoding, newline).writesBack;
}

TEST(LoadedText, SaysWhetherSavingGivesTheFileBack) {
  // Every encoding's own text comes back, whatever its line ends.
  for (int encoding = 0; encoding < kEncodingCodeCount; ++encoding) {
    const std::string bytes = EncodeTextForSave(kSjis + "end", encoding, kNewlineLf).bytes;
    EXPECT_TRUE(WritesBack(bytes, encoding)) << encoding;
    EXPECT_TRUE(WritesBack("a\rb\r\n" + bytes.substr(0, bytes.size() - 1), encoding)) << encoding;
  }
  EXPECT_TRUE(WritesBack("\xEF\xBB\xBF\xE4\xBA\x9C", kEncodingSjis));
  EXPECT_TRUE(WritesBack("\xFF\x80\xA0", kEncodingSjis));  // kept as they are

  EXPECT_FALSE(WritesBack("\xE3\x80\x9C\n", kEncodingUtf8));  // WAVE DASH reads back as U+FF5E
  EXPECT_FALSE(WritesBack("a\xFF\n", kEncodingUtf8));
  EXPECT_FALSE(WritesBack("\xEF\xBB\xBF\xFF", kEncodingSjis));
  EXPECT_FALSE(WritesBack("\xA1\n", kEncodingEuc));
  EXPECT_FALSE(WritesBack("\x1B$B\x30\x21\x1B(J", kEncodingJis));
  // The line end a save adds pairs with a lead byte left at the end.
  EXPECT_TRUE(WritesBack("a\xB0\xA1", kEncodingEuc));
  EXPECT_FALSE(WritesBack("a\xB0", kEncodingEuc));

  // Bytes of no encoding, taken for JIS by recognition, do not come back.
  std::string noise(65536, '\0');
  unsigned seed = 1;
  for (char& c : noise) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
  int encoding = kEncodingSjis, newline = kNewlineCrLf;
  const LoadedText loaded = DecodeLoadedText(noise, true, encoding, newline);
  ASSERT_EQ(encoding, kEncodingJis);
  EXPECT_FALSE(loaded.writesBack);
}

// Large texts go a piece at a time; the pieces must give what the whole gives.
TEST(LoadedText, LargeTextsComeBackWithOrWithoutLineEnds) {
  std::string lines, oneLine;
  while (lines.size() < (3u << 20)) {
    lines += "\x88\x9F\xB1 \x82\xA0\x82\xA2\r\n";
    oneLine += "\x88\x9F\xB1\x82\xA0\x82\xA2!\x89\x40";
  }
  const char* const defect[] = {"", "\xA1\n", "\x1B(J", "\xFF"};  // by encoding
  for (const std::string* text : {&lines, &oneLine}) {
    for (int encoding = 1; encoding < kEncodingCodeCount; ++encoding) {
      const std::string bytes = EncodeTextForSave(*text, encoding, kNewlineCrLf).bytes;
      EXPECT_TRUE(WritesBack(bytes, encoding)) << encoding;
      EXPECT_FALSE(WritesBack(bytes + defect[encoding], encoding)) << encoding;
    }
  }
}

// A file of a megabyte or more is read in two pieces at once.
TEST(LoadedText, LargeFilesLoadAsAWholeReadWould) {
  std::mt19937 rng(4);
  for (int kind = 0; kind < 5; ++kind) {
    std::string raw;
    while (raw.size() < (3u << 19)) {
      raw += kind < 4 ? testtext::Valid(rng, rng() % 200, static_cast<testtext::Kind>(kind)) : testtext::Random(rng, rng() % 200);
      raw += "\n\r\r\n"[rng() % 4];
    }
    if (kind == 1) raw.replace(raw.size() / 2 + 1, 3, "\x1B$B");  // JIS, however the rest reads
    int encoding = kEncodingSjis, newline = kNewlineCr, flags = 0;
    const std::string normalised = NormalizeNewlines(raw, &flags);
    const LoadedText loaded = DecodeLoadedText(raw, true, encoding, newline);
    EXPECT_EQ(encoding, EncodingCodeFromDetection(KanjiDetect(raw), kEncodingSjis)) << kind;
    EXPECT_EQ(newline, NewlineCodeFromFlags(flags, kNewlineCr)) << kind;
    if (encoding == kEncodingSjis) {
      EXPECT_TRUE(loaded.text == normalised) << kind;
    }
  }
}

TEST(LoadedText, CodesOutOfRangeActAsZero) {
  for (int bad : {-1, 4, 99}) {
    const Loaded l = Load("\xB0\xA1\n", false, bad, bad);
    EXPECT_EQ(l.text, "\xB0\xA1\r\n");  // read as Shift_JIS
    EXPECT_EQ(l.encoding, kEncodingSjis);
    EXPECT_EQ(l.newline, kNewlineLf);  // settled by the line end
    const Loaded none = Load("x", false, bad, bad);
    EXPECT_EQ(none.encoding, kEncodingSjis);
    EXPECT_EQ(none.newline, kNewlineCrLf);
    EXPECT_EQ(EncodeTextForSave("\x88\x9F\r\n", bad, bad).bytes, "\x88\x9F\r\n");
  }
}

}  // namespace
