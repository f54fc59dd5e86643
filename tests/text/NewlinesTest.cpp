// Line-end normalisation and the newline code it settles.
#include "text/Newlines.h"

#include <gtest/gtest.h>

using namespace corvella;
using namespace std::string_literals;

namespace {

struct Case {
  std::string in, out;
  int flags;
};

TEST(NormalizeNewlines, EveryKindOfLineEndBecomesCrLf) {
  const Case cases[] = {
      {"", "", 0},
      {"abc", "abc", 0},
      {"a\rb\nc\r\n", "a\r\nb\r\nc\r\n", 3},
      {"a\r\r", "a\r\n\r\n", 1},
      {"a\n\n", "a\r\n\r\n", 2},
      {"a\r", "a\r\n", 1},        // a lone CR at the very end still gains its LF
      {"\r\n\r\n", "\r\n\r\n", 3},
      {"\r\r\n", "\r\n\r\n", 3},  // lone CR, then a pair
      {"\n\r", "\r\n\r\n", 3},
  };
  for (const Case& c : cases) {
    int flags = -1;
    EXPECT_EQ(NormalizeNewlines(c.in, &flags), c.out) << testing::PrintToString(c.in);
    EXPECT_EQ(flags, c.flags) << testing::PrintToString(c.in);
    EXPECT_EQ(NormalizedLength(c.in), c.out.size());
  }
}

TEST(NormalizeNewlines, NulBytesAreCarriedThrough) {
  int flags = 0;
  EXPECT_EQ(NormalizeNewlines("a\0b\nc\0"s, &flags), "a\0b\r\nc\0"s);
  EXPECT_EQ(flags, kNewlineSawLf);
}

TEST(NormalizeNewlines, FlagsSettleTheNewlineCode) {
  EXPECT_EQ(NewlineCodeFromFlags(kNewlineSawCr, kNewlineCrLf), kNewlineCr);
  EXPECT_EQ(NewlineCodeFromFlags(kNewlineSawLf, kNewlineCr), kNewlineLf);
  EXPECT_EQ(NewlineCodeFromFlags(kNewlineSawCr | kNewlineSawLf, kNewlineLf), kNewlineCrLf);
  EXPECT_EQ(NewlineCodeFromFlags(0, kNewlineLf), kNewlineLf);
  EXPECT_EQ(NewlineCodeFromFlags(0, kNewlineCr), kNewlineCr);
}

}  // namespace
