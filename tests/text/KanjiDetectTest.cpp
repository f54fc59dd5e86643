// The five byte-pattern tests, their order in KanjiDetect and the encoding code they settle.
#include "text/KanjiDetect.h"

#include <gtest/gtest.h>

#include <random>

#include "KanjiReference.h"
#include "KanjiTestText.h"

using namespace corvella;
using namespace corvella::reference;
using namespace std::string_literals;

namespace {

TEST(KanjiDetect, EachTestOnItsBoundaries) {
  EXPECT_TRUE(IsPlainAscii("a\tb\r\nc\x7F"));
  EXPECT_FALSE(IsPlainAscii("a\x1B"));
  EXPECT_FALSE(IsPlainAscii("a\0b"s));  // NUL is a control byte
  EXPECT_FALSE(IsPlainAscii("\x80"));

  EXPECT_TRUE(HasJisEscape("a\x1B$"));
  EXPECT_TRUE(HasJisEscape("\x1B("));
  EXPECT_FALSE(HasJisEscape("\x1B"));
  EXPECT_FALSE(HasJisEscape("\x1B" "A\x1B"));
  EXPECT_FALSE(HasJisEscape(""));

  EXPECT_TRUE(IsEucText("\xB0\xA1" "a\x8E\xB1\x8E\x31"));
  EXPECT_FALSE(IsEucText("\xB0"));          // cut off by the end
  EXPECT_FALSE(IsEucText("\xB0\0"s));       // NUL is no second byte
  EXPECT_FALSE(IsEucText("\x8F\xA1\xA1"));  // JIS X 0212
  EXPECT_FALSE(IsEucText("\x8E\x60"));
  EXPECT_FALSE(IsEucText("\xA0\xA1"));

  EXPECT_TRUE(IsUtf8Text("\xE4\xBA\x9C\xC2\xA2" "a"));
  EXPECT_FALSE(IsUtf8Text("\xF0\x9F\x98\x80"));  // four-byte sequences are refused
  EXPECT_FALSE(IsUtf8Text("\xC1\xBF"));
  EXPECT_FALSE(IsUtf8Text("\xE4\xBA"));
  EXPECT_FALSE(IsUtf8Text("\xBA"));

  EXPECT_TRUE(IsSjisText("\x88\x9F\xB1\x80\xEB\xEF\xF9"));
  EXPECT_FALSE(IsSjisText("\x88\x7F"));
  EXPECT_FALSE(IsSjisText("\x88"));
  EXPECT_FALSE(IsSjisText("\xA0"));
  EXPECT_FALSE(IsSjisText("\xFD"));

  for (auto test : {IsPlainAscii, IsEucText, IsUtf8Text, IsSjisText}) EXPECT_TRUE(test(""));
}

TEST(KanjiDetect, OrderSettlesAmbiguousTexts) {
  EXPECT_EQ(KanjiDetect(""), kDetectAscii);
  EXPECT_EQ(KanjiDetect("print 1;\r\n\x7F"), kDetectAscii);
  EXPECT_EQ(KanjiDetect("\x1B$B\x88\x9F\xFF"), kDetectJis);  // JIS comes before every 8-bit test
  EXPECT_EQ(KanjiDetect("\xB1\xB2"), kDetectEuc);            // half-width katakana pairs read as EUC-JP
  EXPECT_EQ(KanjiDetect("\xE4\xBA\x9C"), kDetectUtf8);       // also Shift_JIS
  EXPECT_EQ(KanjiDetect("\x88\x9F"), kDetectSjis);
  EXPECT_EQ(KanjiDetect("\xF0\x9F\x98\x80"), kDetectSjis);   // four-byte UTF-8 is not UTF-8
  EXPECT_EQ(KanjiDetect("\xFF"), kDetectUnknown);
  EXPECT_EQ(KanjiDetect("a\0b"s), kDetectEuc);               // a NUL fails only the ASCII test
  // A long text decided by its last bytes: every block is checked.
  const std::string kanji(4000, '\xB0');
  EXPECT_EQ(KanjiDetect(kanji), kDetectEuc);
  EXPECT_EQ(KanjiDetect(kanji + "\xB0"), kDetectSjis);  // the odd B0 is a lone byte
  EXPECT_EQ(KanjiDetect(kanji + "\x88"), kDetectUnknown);
}

TEST(KanjiDetect, DetectionSetsTheEncodingCode) {
  EXPECT_EQ(EncodingCodeFromDetection(kDetectEuc, kEncodingUtf8), kEncodingEuc);
  EXPECT_EQ(EncodingCodeFromDetection(kDetectSjis, kEncodingUtf8), kEncodingSjis);
  EXPECT_EQ(EncodingCodeFromDetection(kDetectJis, kEncodingSjis), kEncodingJis);
  EXPECT_EQ(EncodingCodeFromDetection(kDetectUtf8, kEncodingSjis), kEncodingUtf8);
  EXPECT_EQ(EncodingCodeFromDetection(kDetectAscii, kEncodingJis), kEncodingJis);
  EXPECT_EQ(EncodingCodeFromDetection(kDetectUnknown, kEncodingEuc), kEncodingEuc);
  EXPECT_EQ(EncodingCodeFromDetection(3, kEncodingEuc), kEncodingEuc);
  EXPECT_EQ(EncodingCodeFromDetection(-1, kEncodingUtf8), kEncodingUtf8);
}

TEST(KanjiDetect, BlocksAgreeWithTheByteRulesOnRandomText) {
  std::mt19937 rng(7);
  auto check = [](const std::string& s) {
    ASSERT_EQ(IsPlainAscii(s), RefAscii(s));
    ASSERT_EQ(IsEucText(s), RefEuc(s));
    ASSERT_EQ(IsUtf8Text(s), RefUtf8(s));
    ASSERT_EQ(IsSjisText(s), RefSjis(s));
  };
  for (int i = 0; i < 1000; ++i) {
    SCOPED_TRACE(i);
    check(testtext::Random(rng, testtext::RandomLength(rng)));
    // Valid texts of each encoding, whole and with one byte changed anywhere.
    for (int kind = 0; kind < 4; ++kind) {
      std::string s = testtext::Valid(rng, testtext::RandomLength(rng), static_cast<testtext::Kind>(kind));
      check(s);
      if (!s.empty()) s[rng() % s.size()] = static_cast<char>(rng());
      check(s);
    }
  }
}

// A large file is read in two pieces at once, the first ending in an LF.
TEST(KanjiDetect, PiecesCutAfterAnLfGiveTheWholeVerdict) {
  std::mt19937 rng(9);
  const auto piece = [&rng] {
    const unsigned kind = rng() % 6;
    const std::size_t length = rng() % 2 ? rng() % 100 : testtext::RandomLength(rng);
    return kind < 4 ? testtext::Valid(rng, length, static_cast<testtext::Kind>(kind)) : testtext::Random(rng, length);
  };
  for (int i = 0; i < 3000; ++i) {
    const std::string first = piece() + "\n", second = piece();
    ASSERT_EQ(CombineDetections(first, KanjiDetect(first), second, KanjiDetect(second)), KanjiDetect(first + second))
        << testing::PrintToString(first) << " + " << testing::PrintToString(second);
  }
}

}  // namespace
