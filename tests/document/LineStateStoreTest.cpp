// The line states beside a buffer: right for the text after any edits, and computed no further than needed.
#include "document/LineStateStore.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace corvella;

namespace {

// Passes the buffer's changes on, as the view does.
struct Forwarder : EditBuffer::Listener {
  explicit Forwarder(LineStateStore& s) : store(s) {}
  void TextChanged(const EditBuffer::TextChange& change) override { store.TextChanged(change); }
  void SelectionChanged(const EditBuffer::Selection&, const EditBuffer::Selection&) override {}
  LineStateStore& store;
};

struct Fixture {
  explicit Fixture(std::size_t blockCapacity = TextBlocks::kDefaultBlockCapacity) : buffer(blockCapacity) {
    buffer.SetLimitText(0);
    buffer.AddListener(&forwarder);
  }
  EditBuffer buffer;
  LineStateStore store{buffer};
  Forwarder forwarder{store};
};

// Recomputed from scratch: a line starts with whether the last line above it
// that is not empty holds a comment; one more entry for after the last line.
std::vector<bool> Reference(const EditBuffer& b) {
  PerlLexer lexer;
  std::vector<TextRun> runs;
  std::vector<bool> states{false};
  for (std::size_t n = 0; n < b.GetLineCount(); ++n) {
    const std::string line = b.GetLine(n, PerlLexer::kLexedPrefix);  // a long line is read as coloured
    states.push_back(line.empty() ? states.back() : lexer.LexLine(line, 0, runs));
  }
  return states;
}

void Replace(EditBuffer& b, std::size_t start, std::size_t end, std::string_view text) {
  b.SetSel(start, end);
  ASSERT_TRUE(b.ReplaceSel(text));
}

// Random edits, each followed by questions in any order, some stopping
// short, some past the end. With `hot`, half of them land within 16 bytes of
// it and none breaks a line.
void EditAndCompare(Fixture& f, std::mt19937& rng, int steps, std::size_t hot = EditBuffer::npos) {
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  const std::vector<std::string> inserts = {"", "#", "x", "$", "'", "\r\n", "\r", "\n", "\r\n\r\n# y\r\n", "a;\r\n"};
  const std::size_t kinds = hot == EditBuffer::npos ? inserts.size() : 5;
  for (int step = 0; step < steps; ++step) {
    const std::size_t length = f.buffer.GetTextLength();
    const std::size_t start =
        hot != EditBuffer::npos && pick(2) == 0 ? std::min(length, hot - 16 + pick(32)) : pick(length + 1);
    const std::size_t end = std::min(length, start + (pick(3) == 0 ? pick(12) : 0));
    Replace(f.buffer, start, end, inserts[pick(kinds)]);
    const std::vector<bool> expected = Reference(f.buffer);
    const std::size_t asks = step % 50 == 0 ? expected.size() + 1 : 1 + pick(3);
    for (std::size_t a = 0; a < asks; ++a) {
      const std::size_t line = pick(expected.size() + 2);
      ASSERT_EQ(f.store.At(line).commentAbove, expected[std::min(line, expected.size() - 1)])
          << "step " << step << ", line " << line;
    }
  }
}

TEST(LineStateStore, AgreesWithARecomputationAfterRandomEdits) {
  Fixture f(16);
  std::mt19937 rng(7);
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  const std::vector<std::string> lines = {"", "", "# c", "x = 1;", "$#a", "'#'", "print 1; # n", " "};
  std::string text;
  for (int i = 0; i < 80; ++i) text += lines[pick(lines.size())] + "\r\n";
  f.buffer.SetText(text);
  EditAndCompare(f, rng, 3000);
}

// A line longer than the lexed part, with quotes and comments around its
// end: what lies past it never counts.
TEST(LineStateStore, AgreesWithARecomputationAfterRandomEditsOnALongLine) {
  Fixture f;
  std::mt19937 rng(5);
  std::string text;
  while (text.size() < PerlLexer::kLexedPrefix + 64) text += "print 'a#b'; $x = 1; ";
  text.replace(PerlLexer::kLexedPrefix - 4, 8, "# c ' #");
  f.buffer.SetText(text + "\r\nx\r\n\r\n# d\r\ny\r\n");
  EditAndCompare(f, rng, 400, PerlLexer::kLexedPrefix);
}

// Far below an edit, the states kept from before it are taken up again
// once the recomputation meets them, also with edits in two places.
TEST(LineStateStore, AnEditNearTheTopCostsOnlyTheLinesAroundIt) {
  Fixture f;
  std::string text;
  for (int i = 0; i < 200000; ++i) text += i % 7 == 0 ? "# note\r\n" : i % 5 == 0 ? "\r\n" : "x = 1;\r\n";
  f.buffer.SetText(text);
  const std::size_t last = f.buffer.GetLineCount() - 1;
  f.store.At(last);
  EXPECT_EQ(f.store.ScannedLines(), last);

  Replace(f.buffer, f.buffer.LineIndex(1), f.buffer.LineIndex(1), "#");  // line 1 becomes a comment
  std::size_t before = f.store.ScannedLines();
  EXPECT_TRUE(f.store.At(2).commentAbove);
  EXPECT_EQ(f.store.ScannedLines() - before, 1u);
  EXPECT_EQ(f.store.ValidLines(), 3u);

  const std::size_t far = f.buffer.LineIndex(150000);
  Replace(f.buffer, far, far, "\r\n# y\r\n");
  Replace(f.buffer, 0, 0, "\r\n");
  before = f.store.ScannedLines();
  const std::vector<bool> expected = Reference(f.buffer);
  for (std::size_t line = expected.size() - 1; line >= 1009; line -= 1009) {
    ASSERT_EQ(f.store.At(line).commentAbove, expected[line]) << line;
  }
  EXPECT_LE(f.store.ScannedLines() - before, 20u);
}

}  // namespace
