// The four byte-arithmetic converters between Shift_JIS and EUC-JP / JIS.
#include "text/KanjiConvert.h"

#include <gtest/gtest.h>

#include <random>

#include "KanjiReference.h"
#include "KanjiTestText.h"

using namespace corvella;
using namespace corvella::reference;
using namespace std::string_literals;

namespace {

std::string Jis2Sjis(std::string s) { JisToSjis(s); return s; }
std::string Euc2Sjis(std::string s) { EucToSjis(s); return s; }
std::string Sjis2Euc(std::string s) { SjisToEuc(s); return s; }
std::string Sjis2Jis(std::string s) { SjisToJis(s); return s; }

TEST(KanjiConvert, FollowsTheRulesOnTheirExamples) {
  // JIS X 0208 row 16 cell 1 both ways.
  EXPECT_EQ(Jis2Sjis("\x1B$B0!\x1B(B"), "\x88\x9F");
  EXPECT_EQ(Sjis2Jis("\x88\x9F"), "\x1B$B0!\x1B(B");
  EXPECT_EQ(Sjis2Euc("\x88\x9F"), "\xB0\xA1");
  EXPECT_EQ(Euc2Sjis("\xB0\xA1"), "\x88\x9F");
  // EUC-JP half-width katakana: 8E with 21..5F or A1..DF gives one byte.
  EXPECT_EQ(Euc2Sjis("\x8E\xB1"), "\xB1");
  EXPECT_EQ(Euc2Sjis("\x8E\x31"), "\xB1");
  // Every change of state costs an escape sequence.
  EXPECT_EQ(Sjis2Jis("\xB1" "a" "\xB2"), "\x1B(I1\x1B(Ba\x1B(I2\x1B(B");
  // A lead byte cut off by the end of the text stays as it is.
  EXPECT_EQ(Sjis2Euc("\x88"), "\x88");
  EXPECT_EQ(Sjis2Jis("\x88"), "\x1B$B\x88\x1B(B");
  EXPECT_EQ(Euc2Sjis("a\xB0"), "a\xB0");
  EXPECT_EQ(Jis2Sjis("\x1B$B0!0"), "\x88\x9F" "0");
  // SO and SI switch state in one byte; ESC $ @ and ESC ( J are read too.
  EXPECT_EQ(Jis2Sjis("\x0E" "1" "\x0F" "a"), "\xB1" "a");
  EXPECT_EQ(Jis2Sjis("\x1B$@0!\x1B(Ja"), "\x88\x9F" "a");
  EXPECT_EQ(Sjis2Euc("\xB1" "a"), "\x8E\xB1" "a");
}

TEST(KanjiConvert, ConvertsAnyBytesWithTheSameArithmetic) {
  // An unknown escape sequence passes through in the current state.
  EXPECT_EQ(Jis2Sjis("\x1B(Zab"), "\x1B(Zab");
  EXPECT_EQ(Jis2Sjis("\x1B(I\x1B(Z"), "\x9B\xA8\xDA");
  // In kanji state a line end is half of a pair; katakana state adds 80 to anything.
  EXPECT_EQ(Jis2Sjis("\x1B$B0\r\n"), "\x88\x8B\n");
  EXPECT_EQ(Jis2Sjis("\x1B(I\r"), "\x8D");
  // 8F (three-byte JIS X 0212) is an ordinary lead: a pair, then a lone byte at the end.
  EXPECT_EQ(Euc2Sjis("\x8F\xA1\xA1"), "\x78\x40\xA1");
  // A NUL after a lead byte is that pair's second byte; elsewhere it is kept.
  EXPECT_EQ(Sjis2Euc("\x88"s + '\0'), "\xAF\x61");
  EXPECT_EQ(Sjis2Euc("a\0b"s), "a\0b"s);
  EXPECT_EQ(Sjis2Jis("\x88\x9F\0"s), "\x1B$B0!\x1B(B\0"s);
  EXPECT_EQ(Euc2Sjis("\0\xB0\xA1\0"s), "\0\x88\x9F\0"s);
  EXPECT_EQ(Jis2Sjis("\0\x1B$B0!\x1B(B\0"s), "\0\x88\x9F\0"s);
  EXPECT_EQ(Sjis2Euc(""), "");
  EXPECT_EQ(Sjis2Jis(""), "");
  EXPECT_EQ(Jis2Sjis(""), "");
  EXPECT_EQ(Euc2Sjis(""), "");
}

TEST(KanjiConvert, RoundTripsEveryRowAndCellAndEveryKatakana) {
  std::string allJis = "\x1B$B", allEuc;
  for (unsigned row = 1; row <= 94; ++row) {
    for (unsigned cell = 1; cell <= 94; ++cell) {
      const std::string jis{static_cast<char>(row + 0x20), static_cast<char>(cell + 0x20)};
      const std::string euc{static_cast<char>(row + 0xA0), static_cast<char>(cell + 0xA0)};
      const std::string sjis = Jis2Sjis("\x1B$B" + jis + "\x1B(B");
      ASSERT_EQ(sjis.size(), 2u);
      const unsigned s1 = static_cast<unsigned char>(sjis[0]), s2 = static_cast<unsigned char>(sjis[1]);
      // The standard transform: leads 81..9F then E0..EF, second bytes 40..FC without 7F.
      EXPECT_TRUE((s1 >= 0x81 && s1 <= 0x9F) || (s1 >= 0xE0 && s1 <= 0xEF)) << row << "," << cell;
      EXPECT_TRUE(s2 >= 0x40 && s2 <= 0xFC && s2 != 0x7F) << row << "," << cell;
      EXPECT_EQ(s1, (row + 1) / 2 + (row <= 62 ? 0x80u : 0xC0u)) << row << "," << cell;
      EXPECT_EQ(Sjis2Jis(sjis), "\x1B$B" + jis + "\x1B(B");
      EXPECT_EQ(Sjis2Euc(sjis), euc);
      EXPECT_EQ(Euc2Sjis(euc), sjis);
      allJis += jis;
      allEuc += euc;
    }
  }
  allJis += "\x1B(B";
  // The same as one long text, which goes through the block code.
  const std::string allSjis = Jis2Sjis(allJis);
  EXPECT_EQ(allSjis.size(), 2u * 94 * 94);
  EXPECT_EQ(Euc2Sjis(allEuc), allSjis);
  EXPECT_EQ(Sjis2Jis(allSjis), allJis);
  EXPECT_EQ(Sjis2Euc(allSjis), allEuc);

  std::string kana;
  for (unsigned c = 0xA1; c <= 0xDF; ++c) {
    const std::string one(1, static_cast<char>(c));
    EXPECT_EQ(Sjis2Euc(one), "\x8E" + one);
    EXPECT_EQ(Euc2Sjis("\x8E" + one), one);
    EXPECT_EQ(Sjis2Jis(one), "\x1B(I" + std::string(1, static_cast<char>(c - 0x80)) + "\x1B(B");
    EXPECT_EQ(Jis2Sjis(Sjis2Jis(one)), one);
    kana += one + "a\r\n" + one + one + "\x88\x9F";
  }
  for (int i = 0; i < 6; ++i) kana += kana;
  EXPECT_EQ(Euc2Sjis(Sjis2Euc(kana)), kana);
  EXPECT_EQ(Jis2Sjis(Sjis2Jis(kana)), kana);
}

TEST(KanjiConvert, BlocksAgreeWithTheByteRulesOnRandomText) {
  std::mt19937 rng(20240501);
  const bool avx2 = UseAvx2ForKanjiConvert(true);
  for (int i = 0; i < 600; ++i) {
    UseAvx2ForKanjiConvert(i % 2 == 0);  // both vector paths where the processor has AVX2
    const std::string in = testtext::Random(rng, testtext::RandomLength(rng));
    const std::string jis = Jis2Sjis(in), euc = Euc2Sjis(in), toEuc = Sjis2Euc(in), toJis = Sjis2Jis(in);
    ASSERT_EQ(jis, RefJisToSjis(in)) << "JisToSjis, case " << i << ", length " << in.size();
    ASSERT_EQ(euc, RefEucToSjis(in)) << "EucToSjis, case " << i << ", length " << in.size();
    ASSERT_EQ(toEuc, RefSjisToEuc(in)) << "SjisToEuc, case " << i << ", length " << in.size();
    ASSERT_EQ(toJis, RefSjisToJis(in)) << "SjisToJis, case " << i << ", length " << in.size();
    EXPECT_LE(toEuc.size(), SjisToEucBound(in.size()));
    EXPECT_LE(toJis.size(), SjisToJisBound(in.size()));
  }
  UseAvx2ForKanjiConvert(avx2);
}

TEST(KanjiConvert, WorstCaseGrowthFillsTheBoundExactly) {
  // Katakana alternating with ASCII, ending in katakana: four bytes per byte and the closing ESC ( B.
  std::string in = "\xB1";
  for (int i = 0; i < 3000; ++i) in += "a\xB1";
  std::string out(SjisToJisBound(in.size()), '\0');
  EXPECT_EQ(SjisToJis(in, out.data()), SjisToJisBound(in.size()));
  const std::string kana(5000, '\xB5');
  std::string euc(SjisToEucBound(kana.size()), '\0');
  EXPECT_EQ(SjisToEuc(kana, euc.data()), SjisToEucBound(kana.size()));
}

}  // namespace
