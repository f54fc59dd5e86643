// Shift_JIS byte classes and character boundaries.
#include "document/SjisChar.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace corvella;
using namespace std::string_literals;

namespace {

TEST(SjisChar, ByteClassesFollowCodePage932) {
  for (int c : {0x81, 0x9F, 0xE0, 0xEF, 0xFC}) EXPECT_TRUE(IsSjisLeadByte(c)) << c;
  for (int c : {0x00, 0x0D, 0x40, 0x5C, 0x7F, 0x80, 0xA0, 0xB1, 0xDF, 0xFD, 0xFF}) {
    EXPECT_FALSE(IsSjisLeadByte(c)) << c;
  }
  for (int c : {0x40, 0x5C, 0x7E, 0x80, 0xA0, 0xFC}) EXPECT_TRUE(IsSjisTrailByte(c)) << c;
  for (int c : {0x00, 0x0A, 0x0D, 0x3F, 0x7F, 0xFD, 0xFF}) EXPECT_FALSE(IsSjisTrailByte(c)) << c;
}

TEST(SjisChar, BoundariesNeverSplitADoubleByteCharacter) {
  // 表 ends in 5C (the backslash byte), ア in 41 ('A').
  const std::string hyou = "\x95\x5C", a = "\x83\x41";
  EXPECT_EQ(SjisCharStart(hyou, 1), 0u);
  EXPECT_EQ(SjisCharEnd(hyou, 0), 2u);
  EXPECT_EQ(SjisCharStart("x" + a + "y", 2), 1u);
  EXPECT_EQ(SjisCharStart("x" + a + "y", 3), 3u);
  // A run of lead-range bytes pairs from its left end: 81 81 | 81 stands alone at the end.
  const std::string run = "a\x81\x81\x81";
  EXPECT_EQ(SjisCharStart(run, 2), 1u);
  EXPECT_EQ(SjisCharStart(run, 3), 3u);
  EXPECT_EQ(SjisCharEnd(run, 3), 4u);
  // A lead byte before CR, LF or NUL does not take it as its trail.
  EXPECT_EQ(SjisCharEnd("\x81\r\n", 0), 1u);
  EXPECT_EQ(SjisCharEnd("\x81\0"s, 0), 1u);
  EXPECT_EQ(SjisCharEnd("\xB1\xB2", 0), 1u);  // half-width katakana are single bytes
}

// The scan that starts after the last non-lead byte must agree with a plain
// scan from the start of the text.
TEST(SjisChar, ShortcutScanAgreesWithAScanFromTheStart) {
  const char alphabet[] = {'a', '\\', '\r', '\n', '\0', '\x40', '\x5C', '\x7F', '\x80',
                           '\x81', '\x9F', '\xA0', '\xE0', '\xFC', '\xFD'};
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; ++round) {
    std::string text(rng() % 24, 'a');
    for (char& c : text) c = alphabet[rng() % sizeof alphabet];
    std::vector<std::size_t> starts(text.size() + 1, text.size());
    for (std::size_t b = 0; b < text.size();) {
      const std::size_t e = SjisCharEnd(text, b);
      for (std::size_t i = b; i < e; ++i) starts[i] = b;
      b = e;
    }
    for (std::size_t i = 0; i <= text.size(); ++i) {
      ASSERT_EQ(SjisCharStart(text, i), starts[i]) << testing::PrintToString(text) << " at " << i;
    }
  }
}

}  // namespace
