// Line-end normalisation and the newline code it settles.
#include "text/Newlines.h"

#include <gtest/gtest.h>

#include <random>

#include "KanjiReference.h"
#include "KanjiTestText.h"

using namespace corvella;
using namespace corvella::reference;
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

TEST(NormalizeNewlines, BlocksAgreeWithTheStateMachineOnRandomText) {
  std::mt19937 rng(3);
  for (int i = 0; i < 2000; ++i) {
    std::string in = testtext::Random(rng, testtext::RandomLength(rng));
    if (i % 2) {  // line ends of one kind only, the common case
      const char keep = i % 4 == 1 ? '\n' : '\r';
      for (char& c : in)
        if (c == '\r' || c == '\n') c = keep;
    }
    int flags = -1, refFlags = -1;
    ASSERT_EQ(NormalizeNewlines(in, &flags), RefNormalize(in, &refFlags)) << "case " << i;
    ASSERT_EQ(flags, refFlags) << "case " << i;
    ASSERT_EQ(NormalizedLength(in), RefNormalize(in, &refFlags).size());
    // Filled from the back where the bytes lie, as a file is loaded.
    ByteBuffer inPlace(in);
    int inPlaceFlags = -1;
    ASSERT_TRUE(NormalizeNewlinesInPlace(inPlace, &inPlaceFlags));
    ASSERT_EQ(inPlace.View(), RefNormalize(in, &refFlags)) << "case " << i;
    ASSERT_EQ(inPlaceFlags, refFlags);
  }
}

// A large file is normalised in two pieces at once, cut just past an LF.
TEST(NormalizeNewlines, TwoPiecesGiveWhatTheWholeGives) {
  std::mt19937 rng(11);
  for (int i = 0; i < 600; ++i) {
    std::string in = testtext::Random(rng, testtext::RandomLength(rng));
    if (i % 2) {  // lone LFs only: the first piece grows the most
      for (char& c : in)
        if (c == '\r') c = '\n';
    }
    int refFlags = -1;
    const std::string want = RefNormalize(in, &refFlags);
    for (std::size_t cut : {std::size_t{0}, CutAfterLf(in, 0), CutAfterLf(in, in.size() / 2), CutAfterLf(in, rng() % (in.size() + 1))}) {
      if (cut == in.size()) cut = 0;
      int firstFlags = 0, secondFlags = 0;
      const std::size_t firstLength = NormalizedLength(std::string_view(in).substr(0, cut), &firstFlags);
      const std::size_t secondLength = NormalizedLength(std::string_view(in).substr(cut), &secondFlags);
      ByteBuffer text(in);
      ASSERT_TRUE(NormalizeNewlinesInPlace(text, cut, firstLength, secondLength, firstFlags | secondFlags));
      ASSERT_EQ(text.View(), want) << "case " << i << " cut " << cut;
      ASSERT_EQ(firstFlags | secondFlags, refFlags);
    }
  }
}

TEST(ReplaceCrLf, RewritesEachPairInOnePass) {
  struct Case {
    std::string in;
    int code;
    std::string out;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", kNewlineLf, "a\nb\n"},
      {"a\r\nb\r\n", kNewlineCr, "a\rb\r"},
      {"a\r\nb\r\n", kNewlineCrLf, "a\r\nb\r\n"},
      {"a\r\r\n", kNewlineLf, "a\r\n"},      // the first CR has no LF of its own
      {"\r\n\r\n", kNewlineCr, "\r\r"},
      {"a\n\rb\r", kNewlineLf, "a\n\rb\r"},  // no pair, nothing to do
      {"\0\r\n\0"s, kNewlineLf, "\0\n\0"s},
      {"a\r\n", 7, "a\r\n"},                // a code out of range changes nothing
      {"a\r\n", -1, "a\r\n"},
      {"", kNewlineLf, ""},
  };
  for (const Case& c : cases) {
    std::string s = c.in;
    ReplaceCrLf(s, c.code);
    EXPECT_EQ(s, c.out) << testing::PrintToString(c.in) << " " << c.code;
  }
}

}  // namespace
