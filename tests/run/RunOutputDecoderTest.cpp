// What a child prints, turned into the output pane's text as it arrives.
#include "run/RunOutputDecoder.h"

#include <random>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

std::string Whole(std::string_view bytes) {
  RunOutputDecoder d;
  std::string text = d.Feed(bytes);
  return text + d.Finish();
}

TEST(RunOutputDecoder, Utf8BecomesShiftJisAndShiftJisStays) {
  EXPECT_EQ(Whole("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\n"), "\x93\xFA\x96\x7B\x8C\xEA\r\n");  // 日本語
  EXPECT_EQ(Whole("\x93\xFA\x96\x7B\r\nx\n"), "\x93\xFA\x96\x7B\r\nx\r\n");
  EXPECT_EQ(Whole(std::string("a\0b\n", 4)), std::string("a\0b\r\n", 5));
  // A lone lead byte at the very end is shown as it is.
  EXPECT_EQ(Whole("ok\x93"), "ok\x93");
}

// However the bytes are cut into reads, the pane gets the same text.
TEST(RunOutputDecoder, ResultDoesNotDependOnHowReadsCutTheBytes) {
  const std::string samples[] = {
      "print \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\n\xF0\x9F\x98\x80 \xC3\xA9t\xC3\xA9\n\n",
      "\x93\xFA\x96\x7B\x8C\xEA\n\x83\x5C\x83\x74\x83\x67\r\n",
      std::string("a\r\n\0\rb\n\r", 9),
      "x\r\n\n\r\n\n\n\r\r\n",
  };
  std::mt19937 random(7);
  for (const std::string& sample : samples) {
    const std::string expected = Whole(sample);
    for (int round = 0; round < 200; ++round) {
      RunOutputDecoder d;
      std::string got;
      for (std::size_t at = 0; at < sample.size();) {
        const std::size_t n = std::min<std::size_t>(sample.size() - at, 1 + random() % 4);
        got += d.Feed(std::string_view(sample).substr(at, n));
        at += n;
      }
      got += d.Finish();
      ASSERT_EQ(got, expected) << round;
    }
  }
}

}  // namespace
