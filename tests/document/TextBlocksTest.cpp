// Block storage and its line-break index against a plain string.
#include "document/TextBlocks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace corvella;

namespace {

// Positions of the LFs that end a CR LF pair.
std::vector<std::size_t> BreakLfs(const std::string& s) {
  std::vector<std::size_t> lfs;
  for (std::size_t i = 1; i < s.size(); ++i) {
    if (s[i - 1] == '\r' && s[i] == '\n') lfs.push_back(i);
  }
  return lfs;
}

void ExpectSame(const TextBlocks& blocks, const std::string& ref) {
  ASSERT_EQ(blocks.CheckConsistency(), "");
  ASSERT_EQ(blocks.Length(), ref.size());
  std::string all;
  blocks.AppendTo(all, 0, blocks.Length());
  ASSERT_EQ(all, ref);
  const std::vector<std::size_t> lfs = BreakLfs(ref);
  ASSERT_EQ(blocks.BreakCount(), lfs.size());
  for (std::size_t n = 1; n <= lfs.size(); ++n) ASSERT_EQ(blocks.PositionAfterBreak(n), lfs[n - 1] + 1);
  std::size_t before = 0;
  for (std::size_t pos = 0; pos <= ref.size(); ++pos) {
    while (before < lfs.size() && lfs[before] < pos) ++before;
    ASSERT_EQ(blocks.BreaksBefore(pos), before) << pos;
  }
}

TEST(TextBlocks, LoadSplitsLineBreaksAcrossBlocks) {
  // Capacity 8 fills blocks with 7 bytes, so CR and LF land in different blocks.
  TextBlocks blocks(8);
  const std::string text = "abcdef\r\nghijkl\r\n\r\n\rx\n\r\r\n";
  blocks.Assign(text);
  ExpectSame(blocks, text);
  EXPECT_EQ(blocks.ByteAt(6), '\r');
  EXPECT_EQ(blocks.ByteAt(7), '\n');
  blocks.Assign("");
  ExpectSame(blocks, "");
}

// Inserts and erases of every size, many of them crossing block boundaries
// and joining or splitting CR LF pairs; a third of them append at the end,
// as a run's output does.
TEST(TextBlocks, RandomEditsMatchAString) {
  const char alphabet[] = {'a', 'b', '\r', '\n', '\r', '\n', '\0', '\x81'};
  for (std::size_t capacity : {4u, 8u, 16u, 64u}) {
    std::mt19937 rng(static_cast<unsigned>(capacity));
    TextBlocks blocks(capacity);
    std::string ref;
    for (int step = 0; step < 1500; ++step) {
      const std::size_t pos = rng() % 3 == 0 ? ref.size() : rng() % (ref.size() + 1);
      if (rng() % 5 < 3) {
        std::string text(rng() % 4 == 0 ? rng() % (3 * capacity) : rng() % 3 + 1, 'a');
        for (char& c : text) c = alphabet[rng() % sizeof alphabet];
        blocks.Insert(pos, text);
        ref.insert(pos, text);
      } else {
        const std::size_t end = std::min(ref.size(), pos + (rng() % 4 == 0 ? rng() % (4 * capacity) : rng() % 3));
        blocks.Erase(pos, end);
        ref.erase(pos, end - pos);
      }
      ASSERT_NO_FATAL_FAILURE(ExpectSame(blocks, ref)) << "capacity " << capacity << " step " << step;
    }
  }
}

// A large text stays in the allocation it was handed in: blocks that are
// slices of it are given their own bytes before an edit writes past them,
// never overwriting the slice after them.
TEST(TextBlocks, EditsOfAnAdoptedTextLeaveItsOtherSlicesAlone) {
  std::mt19937 rng(5);
  std::string ref(TextBlocks::kBulkMinimum + 12345, 'x');
  for (std::size_t i = 0; i < ref.size(); i += 1 + rng() % 200) ref.replace(i, 2, "\r\n");
  ref.resize(TextBlocks::kBulkMinimum + 12345);
  TextBlocks blocks;
  blocks.Adopt(ByteBuffer(ref));
  const auto expectSame = [&blocks, &ref] {
    ASSERT_EQ(blocks.CheckConsistency(), "");
    std::string all;
    blocks.AppendTo(all, 0, blocks.Length());
    ASSERT_TRUE(all == ref);
  };
  ASSERT_NO_FATAL_FAILURE(expectSame());
  for (int step = 0; step < 400; ++step) {
    // A third at the end: the last slice ends where the allocation does.
    const std::size_t pos = rng() % 3 == 0 ? ref.size() : rng() % (ref.size() + 1);
    if (rng() % 3) {
      const std::string text(rng() % 3 == 0 ? rng() % 9000 : rng() % 3 + 1, step % 2 ? '\n' : 'a');
      blocks.Insert(pos, text);
      ref.insert(pos, text);
    } else {
      const std::size_t end = std::min(ref.size(), pos + rng() % 9000);
      blocks.Erase(pos, end);
      ref.erase(pos, end - pos);
    }
    if (step % 50 == 0) {
      ASSERT_NO_FATAL_FAILURE(expectSame()) << "step " << step;
    }
  }
  ASSERT_NO_FATAL_FAILURE(expectSame());
}

}  // namespace
