// Marked lines moving with their text through edits: whole lines inserted and deleted, lines joined and split, reloads.
#include "document/LineMarks.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/TextDocument.h"

namespace corvella {
namespace {

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

TEST(LineMarks, ToggleSetAndClearKeepTheLinesSortedAndUnique) {
  LineMarks marks;
  EXPECT_TRUE(marks.Empty());
  EXPECT_TRUE(marks.Toggle(7));
  EXPECT_TRUE(marks.Toggle(2));
  marks.Set(7, true);
  marks.Set(4, true);
  EXPECT_EQ(marks.Lines(), (std::vector<std::size_t>{2, 4, 7}));
  EXPECT_FALSE(marks.Toggle(4));
  marks.Set(9, false);
  EXPECT_TRUE(marks.Has(2));
  EXPECT_FALSE(marks.Has(4));
  EXPECT_EQ(marks.Lines(), (std::vector<std::size_t>{2, 7}));
  marks.Clear();
  EXPECT_TRUE(marks.Empty());
}

class LineMarksEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.Buffer().SetLimitText(0);
    doc.Load("a0\r\na1\r\na2\r\na3\r\na4");
    for (std::size_t line : {1u, 2u, 4u}) doc.Breakpoints().Set(line, true);
  }
  void Replace(std::size_t start, std::size_t end, const std::string& text) {
    doc.Buffer().SetSel(start, end);
    doc.Buffer().ReplaceSel(text);
  }
  std::size_t Start(std::size_t line) const { return doc.Buffer().LineIndex(line); }
  std::vector<std::size_t> Lines() const { return doc.Breakpoints().Lines(); }
  TextDocument doc;
};

TEST_F(LineMarksEdit, LinesInsertedAboveOrAtALinesStartMoveItsMark) {
  Replace(Start(2), Start(2), "new\r\nnew\r\n");
  EXPECT_EQ(Lines(), (std::vector<std::size_t>{1, 4, 6}));
  // A line break typed at the end of a line leaves its mark there.
  Replace(Start(2) - 2, Start(2) - 2, "\r\n");
  EXPECT_EQ(Lines(), (std::vector<std::size_t>{1, 5, 7}));
}

TEST_F(LineMarksEdit, ADeletedLineLosesItsMarkAJoinedOneKeepsTheFirst) {
  Replace(Start(2), Start(3), "");  // line a2 with its break
  EXPECT_EQ(doc.Buffer().GetText(), "a0\r\na1\r\na3\r\na4");
  EXPECT_EQ(Lines(), (std::vector<std::size_t>{1, 3}));
  // Delete at the end of a1: a3 joins it, the mark stays on line 1.
  Replace(Start(2) - 2, Start(2), "");
  EXPECT_EQ(Lines(), (std::vector<std::size_t>{1, 2}));
  // A marked line joined onto an unmarked one brings its mark along.
  Replace(Start(1) - 2, Start(1), "");
  EXPECT_EQ(doc.Buffer().GetText(), "a0a1a3\r\na4");
  EXPECT_EQ(Lines(), (std::vector<std::size_t>{0, 1}));
  // A deletion from inside line 0 into line 1 takes line 1's start: its mark goes.
  doc.Breakpoints().Set(0, false);
  Replace(1, Start(1) + 1, "");
  EXPECT_EQ(doc.Buffer().GetText(), "a4");
  EXPECT_TRUE(doc.Breakpoints().Empty());
}

TEST_F(LineMarksEdit, AReloadKeepsTheMarksOnLinesStillThereALoadClearsThem) {
  doc.ExecutionMark().Set(3, true);
  doc.Reload("b0\r\nb1\r\nb2\r\nb3");
  EXPECT_EQ(Lines(), (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(doc.ExecutionMark().Lines(), (std::vector<std::size_t>{3}));
  doc.Load("c0\r\nc1\r\nc2\r\nc3");
  EXPECT_TRUE(doc.Breakpoints().Empty());
  EXPECT_TRUE(doc.ExecutionMark().Empty());
}

// Random edits of whole lines, joins and splits against a reference that
// keeps each line's identity: the marks stay on the same lines of text.
TEST(LineMarks, MarksFollowTheirLinesThroughRandomEdits) {
  TextDocument doc;
  EditBuffer& buffer = doc.Buffer();
  buffer.SetLimitText(0);
  int next = 0;
  std::vector<std::string> lines;
  std::vector<bool> marked;
  for (; next < 12; ++next) {
    lines.push_back("L" + std::to_string(next));
    marked.push_back(next % 3 == 1);
  }
  doc.Load(Join(lines));
  for (std::size_t i = 0; i < lines.size(); ++i) doc.Breakpoints().Set(i, marked[i]);

  std::mt19937 random(7);
  for (int step = 0; step < 3000; ++step) {
    const std::size_t count = lines.size();
    const int op = static_cast<int>(random() % 6);
    if (op == 0 || count < 3) {  // whole lines inserted before line i (or after the last)
      const std::size_t i = random() % (count + 1);
      const std::size_t k = 1 + random() % 3;
      std::vector<std::string> added;
      for (std::size_t j = 0; j < k; ++j) added.push_back("L" + std::to_string(next++));
      const std::string text = Join(added);
      const std::size_t at = i < count ? buffer.LineIndex(i) : buffer.GetTextLength();
      buffer.SetSel(at, at);
      buffer.ReplaceSel(i < count ? text + "\r\n" : "\r\n" + text);
      lines.insert(lines.begin() + static_cast<long>(i), added.begin(), added.end());
      marked.insert(marked.begin() + static_cast<long>(i), k, false);
    } else if (op == 1) {  // lines [i, j) deleted, at least one left
      const std::size_t i = random() % count;
      const std::size_t j = std::min(count, i + 1 + random() % 3);
      if (i == 0 && j == count) continue;
      if (j < count) {
        buffer.SetSel(buffer.LineIndex(i), buffer.LineIndex(j));
      } else {
        buffer.SetSel(buffer.LineEnd(i - 1), buffer.GetTextLength());
      }
      buffer.ReplaceSel("");
      lines.erase(lines.begin() + static_cast<long>(i), lines.begin() + static_cast<long>(j));
      marked.erase(marked.begin() + static_cast<long>(i), marked.begin() + static_cast<long>(j));
    } else if (op == 2 && count > 1) {  // line i+1 joined onto line i
      const std::size_t i = random() % (count - 1);
      const std::size_t end = buffer.LineEnd(i);
      buffer.SetSel(end, end + 2);
      buffer.ReplaceSel("");
      lines[i] += lines[i + 1];
      marked[i] = marked[i] || marked[i + 1];
      lines.erase(lines.begin() + static_cast<long>(i) + 1);
      marked.erase(marked.begin() + static_cast<long>(i) + 1);
    } else if (op == 3) {  // line i split after its first character: the head keeps the mark
      const std::size_t i = random() % count;
      if (lines[i].size() < 2) continue;  // no empty lines: an empty line has no text to follow
      const std::size_t at = buffer.LineIndex(i) + 1;
      buffer.SetSel(at, at);
      buffer.ReplaceSel("\r\n");
      lines.insert(lines.begin() + static_cast<long>(i) + 1, lines[i].substr(1));
      lines[i].resize(1);
      marked.insert(marked.begin() + static_cast<long>(i) + 1, false);
    } else if (op == 4) {  // a mark toggled
      const std::size_t i = random() % count;
      EXPECT_EQ(doc.Breakpoints().Toggle(i), !marked[i]);
      marked[i] = !marked[i];
    } else {  // typing inside a line
      const std::size_t i = random() % count;
      const std::size_t at = buffer.LineIndex(i) + 1;
      buffer.SetSel(at, at);
      buffer.ReplaceSel("x");
      lines[i].insert(1, "x");
    }
    ASSERT_EQ(buffer.GetText(), Join(lines)) << step;
    std::vector<std::size_t> expected;
    for (std::size_t i = 0; i < marked.size(); ++i) {
      if (marked[i]) expected.push_back(i);
    }
    ASSERT_EQ(doc.Breakpoints().Lines(), expected) << step;
  }
}

// Any edit at all keeps the marks sorted, unique and inside the text.
TEST(LineMarks, ArbitraryEditsKeepTheMarksInsideTheText) {
  TextDocument doc;
  EditBuffer& buffer = doc.Buffer();
  buffer.SetLimitText(0);
  doc.Load("one\r\ntwo\r\n\r\nthree\rfour\nfive\r\n\r\nsix");
  std::mt19937 random(11);
  const char* pieces[] = {"", "\r\n", "x", "\r", "\n", "a\r\nb", "\r\n\r\n"};
  for (int step = 0; step < 3000; ++step) {
    const std::size_t length = buffer.GetTextLength();
    if (random() % 3 == 0) doc.Breakpoints().Toggle(random() % buffer.GetLineCount());
    const std::size_t start = random() % (length + 1);
    const std::size_t end = std::min(length, start + random() % 6);
    buffer.SetSel(start, end);
    buffer.ReplaceSel(pieces[random() % std::size(pieces)]);
    const std::vector<std::size_t>& marks = doc.Breakpoints().Lines();
    ASSERT_TRUE(std::is_sorted(marks.begin(), marks.end()));
    ASSERT_EQ(std::adjacent_find(marks.begin(), marks.end()), marks.end());
    ASSERT_TRUE(marks.empty() || marks.back() < buffer.GetLineCount()) << step;
  }
}

}  // namespace
}  // namespace corvella
