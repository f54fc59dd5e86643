// A save made a chunk at a time from pieces of the text writes the bytes of converting the whole text at once.
#include "text/SaveEncoder.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "KanjiTestText.h"
#include "text/KanjiConvert.h"
#include "text/KanjiDetect.h"
#include "text/Newlines.h"
#include "text/SjisUtf8.h"

namespace corvella {
namespace {

// The whole text converted in one go, as a save did before it went by chunks.
std::string WholeAtOnce(std::string text, int encoding, int newline, bool mark, std::size_t& changed) {
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  std::string out(SjisToUtf8Bound(text.size()) + SjisToJisBound(text.size()), '\0');
  switch (encoding) {
    case kEncodingEuc: out.resize(SjisToEuc(text, out.data())); break;
    case kEncodingJis: out.resize(SjisToJis(text, out.data())); break;
    case kEncodingUtf8: out.resize(SjisToUtf8(text, out.data(), &changed)); break;
    default: out = text; break;
  }
  if (mark && encoding == kEncodingUtf8) out.insert(0, "\xEF\xBB\xBF");
  ReplaceCrLf(out, newline);
  return out;
}

// Texts of several chunks, handed over in pieces of random sizes as the
// document's blocks are, cut wherever the pieces end.
TEST(SaveEncoder, PiecesOfALargeTextGiveTheBytesOfTheWhole) {
  std::mt19937 rng(23);
  for (int round = 0; round < 8; ++round) {
    std::string text = testtext::Random(rng, (std::size_t{5} << 20) / 2 + rng() % 100000);
    // A long run with no byte below 40, where no chunk may end.
    if (round % 2) text.insert(text.size() / 3, std::string(std::size_t{3} << 20, '\x88'));
    const int encoding = round % kEncodingCodeCount;
    const int newline = static_cast<int>(rng() % 3);
    const bool mark = round % 3 == 0;
    std::string written;
    SaveEncoder encoder(encoding, newline, mark, [&written](std::string_view bytes) {
      written.append(bytes);
      return 0;
    });
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t size = rng() % 3 == 0 ? rng() % (std::size_t{3} << 20) : rng() % 5000;
      encoder.Add(std::string_view(text).substr(at, size));
      at += size;
    }
    ASSERT_EQ(encoder.Finish(), 0);
    std::size_t changed = 0;
    ASSERT_TRUE(written == WholeAtOnce(text, encoding, newline, mark, changed)) << "round " << round;
    EXPECT_EQ(encoder.Changed(), changed);
  }
}

TEST(SaveEncoder, AFailedWriteStopsTheEncoding) {
  int calls = 0;
  SaveEncoder encoder(kEncodingUtf8, kNewlineLf, false, [&calls](std::string_view) { return ++calls == 1 ? 28 : 0; });
  std::string lines;
  while (lines.size() < (std::size_t{5} << 20)) lines += "print 1;\r\n";
  EXPECT_EQ(encoder.Add(lines), 28);
  EXPECT_EQ(encoder.Add("more"), 28);
  EXPECT_EQ(encoder.Finish(), 28);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace corvella
