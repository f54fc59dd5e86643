// Error marks keep their kind and message, merge per line, go round the text for F4, and move with edits as breakpoints do.
#include "document/ErrorMarks.h"

#include <random>

#include <gtest/gtest.h>

#include "document/LineMarks.h"
#include "document/TextDocument.h"

using namespace corvella;

namespace {

using Kind = ErrorMarks::Kind;

TEST(ErrorMarks, MergesPerLineAndGoesRound) {
  ErrorMarks marks;
  EXPECT_FALSE(marks.Next(0));
  marks.Add(7, Kind::Warning, "w1");
  marks.Add(2, Kind::Error, "e1");
  marks.Add(7, Kind::Error, "e2");
  marks.Add(7, Kind::Error, "e2");
  ASSERT_EQ(marks.Marks().size(), 2u);
  EXPECT_EQ(marks.Marks()[0], (ErrorMarks::Mark{2, Kind::Error, "e1"}));
  EXPECT_EQ(marks.Marks()[1], (ErrorMarks::Mark{7, Kind::Error, "w1\ne2"}));
  EXPECT_EQ(marks.At(3), nullptr);
  EXPECT_EQ(marks.Next(0), 2u);
  EXPECT_EQ(marks.Next(2), 7u);
  EXPECT_EQ(marks.Next(7), 2u);
  EXPECT_EQ(marks.Previous(7), 2u);
  EXPECT_EQ(marks.Previous(2), 7u);
  EXPECT_EQ(marks.Previous(5), 2u);
}

// Typing, deleting and undoing in a document: every error mark stays where a
// breakpoint set on the same line goes, with its message.
TEST(ErrorMarks, MoveWithTheTextAsBreakpointsDo) {
  TextDocument doc;
  std::string text;
  for (int i = 0; i < 30; ++i) text += "line " + std::to_string(i) + "\r\n";
  doc.Load(text);
  for (std::size_t line : {0u, 3u, 4u, 10u, 20u, 29u}) {
    doc.Errors().Add(line, line % 2 ? Kind::Warning : Kind::Error, "at " + std::to_string(line));
    doc.Breakpoints().Set(line, true);
  }
  std::mt19937 random(7);
  for (int step = 0; step < 200; ++step) {
    EditBuffer& b = doc.Buffer();
    const std::size_t length = b.GetTextLength();
    const std::size_t from = random() % (length + 1);
    const std::size_t to = std::min(length, from + random() % 12);
    b.SetSel(from, to);
    b.ReplaceSel(random() % 3 == 0 ? "x\r\ny\r\n" : random() % 2 ? "" : "z");
    std::vector<std::size_t> lines;
    for (const ErrorMarks::Mark& m : doc.Errors().Marks()) {
      lines.push_back(m.line);
      EXPECT_EQ(m.message.substr(0, 3), "at ");
      EXPECT_LT(m.line, b.GetLineCount());
    }
    ASSERT_EQ(lines, doc.Breakpoints().Lines()) << "step " << step;
  }
  doc.Load("new\r\n");
  EXPECT_TRUE(doc.Errors().Empty());
}

}  // namespace
