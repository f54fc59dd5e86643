// UTF-8 <-> Shift_JIS conversion: glibc's code page 932 repertoire, replacement by "?" and the count of changes.
#include "text/SjisUtf8.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

#include "text/KanjiDetect.h"

using namespace corvella;
using namespace std::string_literals;

namespace {

// One conversion by iconv, or nothing when it refuses any of the input.
std::optional<std::string> Iconv(const char* from, const char* to, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string src = in, out(in.size() * 4 + 8, '\0');
  char* ip = src.data();
  char* op = out.data();
  std::size_t il = src.size(), ol = out.size();
  const bool ok = iconv(cd, &ip, &il, &op, &ol) != static_cast<std::size_t>(-1) && il == 0;
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(out.size() - ol);
  return out;
}

std::string Utf8(char32_t u) {
  if (u < 0x80) return std::string(1, static_cast<char>(u));
  if (u < 0x800) return {static_cast<char>(0xC0 | u >> 6), static_cast<char>(0x80 | (u & 0x3F))};
  return {static_cast<char>(0xE0 | u >> 12), static_cast<char>(0x80 | (u >> 6 & 0x3F)),
          static_cast<char>(0x80 | (u & 0x3F))};
}

TEST(SjisUtf8, EveryJisX0208CharacterAndKatakanaRoundTrips) {
  std::string all;
  int characters = 0;
  for (unsigned row = 1; row <= 94; ++row) {
    for (unsigned cell = 1; cell <= 94; ++cell) {
      // The row and cell pairs JIS X 0208 assigns are those glibc's EUC-JP reads.
      const std::string euc{static_cast<char>(row + 0xA0), static_cast<char>(cell + 0xA0)};
      if (!Iconv("EUC-JP", "UTF-8", euc)) continue;
      const unsigned s1 = (row + 1) / 2 + (row <= 62 ? 0x80 : 0xC0);
      const unsigned s2 = row % 2 ? cell + (cell <= 63 ? 0x3F : 0x40) : cell + 0x9E;
      const std::string sjis{static_cast<char>(s1), static_cast<char>(s2)};
      const ConvertedText utf8 = SjisToUtf8(sjis);
      const ConvertedText back = Utf8ToSjis(utf8.text);
      EXPECT_EQ(back.text, sjis) << row << "," << cell;
      EXPECT_EQ(utf8.changed + back.changed, 0u) << row << "," << cell;
      all += sjis;
      ++characters;
    }
  }
  EXPECT_EQ(characters, 6879);
  for (unsigned c = 0xA1; c <= 0xDF; ++c) all += std::string(1, static_cast<char>(c)) + "a\r\n";
  const ConvertedText utf8 = SjisToUtf8(all);
  EXPECT_TRUE(IsUtf8Text(utf8.text));
  EXPECT_EQ(Utf8ToSjis(utf8.text).text, all);
  EXPECT_EQ(utf8.changed, 0u);
}

TEST(SjisUtf8, AgreesWithIconvOnEveryCharacter) {
  int altered = 0;
  for (char32_t u = 0; u < 0x10000; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;
    const std::string utf8 = Utf8(u);
    const ConvertedText sjis = Utf8ToSjis(utf8);
    const std::optional<std::string> expected = Iconv("UTF-8", "CP932", utf8);
    if (!expected) {
      EXPECT_EQ(sjis.text, "?") << std::hex << static_cast<unsigned>(u);
      EXPECT_EQ(sjis.changed, 1u) << std::hex << static_cast<unsigned>(u);
      continue;
    }
    ASSERT_EQ(sjis.text, *expected) << std::hex << static_cast<unsigned>(u);
    const ConvertedText back = SjisToUtf8(sjis.text);
    ASSERT_EQ(back.text, Iconv("CP932", "UTF-8", sjis.text).value_or("none")) << std::hex << static_cast<unsigned>(u);
    EXPECT_EQ(back.changed, 0u);
    // Counted exactly when saving would write another character.
    EXPECT_EQ(sjis.changed, back.text == utf8 ? 0u : 1u) << std::hex << static_cast<unsigned>(u);
    altered += back.text != utf8;
  }
  // A handful of mapping variants such as U+00A5, U+2014 and U+2016; a broken table would show here.
  EXPECT_GE(altered, 5);
  EXPECT_LE(altered, 40);
}

TEST(SjisUtf8, LoadReplacesAndCountsWhatShiftJisCannotHold) {
  struct Case {
    std::string in, out;
    std::size_t changed;
  };
  const Case cases[] = {
      {"\xE4\xBA\x9C", "\x88\x9F", 0},                 // U+4E9C
      {"\xEF\xBD\x9E", "\x81\x60", 0},                 // U+FF5E FULLWIDTH TILDE
      {"\xE3\x80\x9C", "\x81\x60", 1},                 // U+301C WAVE DASH reads back as U+FF5E
      {"a\xF0\x9F\x98\x80" "b", "a?b", 1},             // an emoji
      {"\xE3\x81" "A", "?A", 1},                       // a sequence cut short
      {"\xE3\x81", "?", 1},                            // ... by the end of the text
      {"\x80\xBF", "??", 2},                           // stray continuation bytes
      {"\xC0\xAF", "??", 2},                           // overlong form
      {"\xED\xA0\x80", "???", 3},                      // an encoded surrogate
      {"\xF4\x90\x80\x80", "????", 4},                 // above U+10FFFF
      {"\xFF", "?", 1},
      {"\xEF\xBB\xBF" "a", "?a", 1},                   // a byte order mark is a character here
      {"a\0b"s, "a\0b"s, 0},
      {"", "", 0},
  };
  for (const Case& c : cases) {
    const ConvertedText r = Utf8ToSjis(c.in);
    EXPECT_EQ(r.text, c.out) << testing::PrintToString(c.in);
    EXPECT_EQ(r.changed, c.changed) << testing::PrintToString(c.in);
  }
}

TEST(SjisUtf8, SaveReplacesAndCountsWhatCodePage932DoesNotDefine) {
  struct Case {
    std::string in, out;
    std::size_t changed;
  };
  const Case cases[] = {
      {"\x88\x9F\xB1", "\xE4\xBA\x9C\xEF\xBD\xB1", 0},
      {"a\x88", "a?", 1},                   // a lone lead byte at the end
      {"\x88\r\n", "?\r\n", 1},             // ... before a line end, which stays
      {"\x85\x40" "b", "?b", 1},            // an undefined pair is one character
      {"\x80\xA0\xFD\xFE\xFF", "?????", 5},
      {"a\0\x88\x9F"s, "a\0\xE4\xBA\x9C"s, 0},
      {"", "", 0},
  };
  for (const Case& c : cases) {
    const ConvertedText r = SjisToUtf8(c.in);
    EXPECT_EQ(r.text, c.out) << testing::PrintToString(c.in);
    EXPECT_EQ(r.changed, c.changed) << testing::PrintToString(c.in);
  }
}

}  // namespace
