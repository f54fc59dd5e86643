// Several views of one text: each keeps its own caret through the others' edits, undo and a reload.
#include "document/TextDocument.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace corvella {
namespace {

// View `b` waits before the one "X" while view `a` edits around it at random,
// undoes and redoes: `b`'s caret stays on the "X" and comes back intact.
TEST(TextDocument, AViewsCaretStaysOnItsTextWhileAnotherViewEdits) {
  TextDocument doc;
  const TextDocument::ViewId a = doc.AddView();
  const TextDocument::ViewId b = doc.AddView();
  EditBuffer& buffer = doc.Buffer();
  buffer.SetLimitText(0);
  doc.Load("line one\r\nsome X here\r\nlast line");
  doc.Activate(b);
  const std::size_t x = buffer.GetText().find('X');
  buffer.SetSel(x + 1, x);
  doc.Activate(a);
  EXPECT_EQ(buffer.GetSel().caret, 0u);

  std::mt19937 random(20);
  for (int step = 0; step < 400; ++step) {
    doc.Activate(a);
    const std::string text = buffer.GetText();
    const std::size_t mark = text.find('X');
    std::size_t start = random() % (text.size() + 1);
    std::size_t end = std::min(text.size(), start + random() % 4);
    // Nothing starts or ends at the "X": text put in right before it would
    // take its place, as for any caret where text goes in.
    if (start <= mark && end >= mark) start = end = mark + 1;
    if (random() % 5 == 0) {
      if (random() % 2 == 0) doc.History().Undo(buffer);
      else doc.History().Redo(buffer);
    } else {
      buffer.SetSel(start, end);
      const std::string typed = random() % 3 == 0 ? "\r\n" : std::string(random() % 3, 'k');
      doc.History().RecordDeleteSelection(buffer);
      doc.History().RecordInsertText(buffer, typed);
      buffer.ReplaceSel(typed);
    }
    const std::size_t now = buffer.GetText().find('X');
    ASSERT_EQ(doc.SelectionOf(b).caret, now) << "step " << step;
    ASSERT_EQ(doc.SelectionOf(b).anchor, now + 1) << "step " << step;
  }
  // Taking the buffer back hands `b` its own selection and keeps `a`'s aside.
  const EditBuffer::Selection aSel = buffer.GetSel();
  doc.Activate(b);
  EXPECT_EQ(buffer.GetSelText(), "X");
  EXPECT_EQ(doc.SelectionOf(a), aSel);
}

TEST(TextDocument, AReloadKeepsEachCaretOnItsLineAndALoadSendsThemHome) {
  TextDocument doc;
  const TextDocument::ViewId a = doc.AddView();
  const TextDocument::ViewId b = doc.AddView();
  doc.Load("0\r\n1\r\n2\r\n3\r\n4");
  doc.Buffer().SetSel(7, 7);  // `a` on line 2
  doc.Activate(b);
  doc.Buffer().SetSel(10, 10);  // `b` on line 3, the last of the text to come
  doc.History().RecordInsertText(doc.Buffer(), "z");
  doc.Reload("zero\r\none\r\ntwo\r\nthree");
  EXPECT_FALSE(doc.History().CanUndo());
  EXPECT_EQ(doc.SelectionOf(a).caret, doc.Buffer().LineIndex(2));
  EXPECT_EQ(doc.SelectionOf(b).caret, doc.Buffer().LineIndex(3));
  doc.Load("x\r\ny");
  EXPECT_EQ(doc.SelectionOf(a).caret, 0u);
  EXPECT_EQ(doc.SelectionOf(b).caret, 0u);
  // The last view left takes the buffer with its own selection.
  doc.Buffer().SetSel(3, 3);
  doc.Activate(a);
  doc.RemoveView(a);
  EXPECT_TRUE(doc.IsActive(b));
  EXPECT_EQ(doc.Buffer().GetSel().caret, 3u);
}

}  // namespace
}  // namespace corvella

namespace corvella {
namespace {

// A text set outright, past the history, is never taken for the saved one;
// a load starts again from a saved text.
TEST(TextDocument, AChangeTheHistoryNeverHeardOfLeavesTheSavePointBehind) {
  TextDocument doc;
  doc.Load("saved");
  EXPECT_TRUE(doc.History().AtSavePoint());
  doc.Buffer().SetText("set outright");
  EXPECT_FALSE(doc.History().AtSavePoint());
  doc.Load("saved");
  EditBuffer& buffer = doc.Buffer();
  buffer.SetSel(0, 0);
  doc.History().RecordInsertText(buffer, "a");
  buffer.ReplaceSel("a");
  ASSERT_TRUE(doc.History().Undo(buffer));
  EXPECT_TRUE(doc.History().AtSavePoint());
}

}  // namespace
}  // namespace corvella
