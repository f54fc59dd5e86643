// Undo records: what each recording appends, typing-run merging, and undo / redo over a real buffer.
#include "document/UndoHistory.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/EditBuffer.h"

using namespace corvella;

namespace {

// Types like the edit control does: record, then change the text.
struct Editor {
  EditBuffer buffer;
  UndoHistory history;

  Editor() { buffer.SetLimitText(0); }
  void Type(char c) {
    if (!buffer.GetSel().IsEmpty()) history.RecordDeleteSelection(buffer);
    history.RecordTypedChar(buffer, static_cast<unsigned char>(c));
    buffer.ReplaceSel(std::string(1, c));
  }
  void Type(const std::string& s) {
    for (char c : s) Type(c);
  }
  void Key(DeleteKey key) {
    const auto sel = buffer.GetSel();
    if (!sel.IsEmpty()) {
      history.RecordDeleteSelection(buffer);
    } else {
      history.RecordDeleteKey(buffer, key);
      const std::size_t c = sel.caret;
      if (key == DeleteKey::Backspace) {
        if (c == 0) return;
        buffer.SetSel(buffer.PrevCharPos(c), c);
      } else {
        if (c >= buffer.GetTextLength()) return;
        buffer.SetSel(c, buffer.NextCharPos(c));
      }
    }
    buffer.ReplaceSel({});
  }
  void Insert(const std::string& s) {
    if (!buffer.GetSel().IsEmpty()) history.RecordDeleteSelection(buffer);
    history.RecordInsertText(buffer, s);
    buffer.ReplaceSel(s);
  }
  // A selection replaced by `s` as one undo step.
  void Replace(const std::string& s) {
    history.RecordDeleteSelection(buffer);
    buffer.ReplaceSel({});
    history.RecordInsertText(buffer, s);
    buffer.ReplaceSel(s);
    history.JoinLast();
  }
  std::string Text() const { return buffer.GetText(); }
  std::size_t Caret() const { return buffer.GetSel().caret; }
};

// The texts of a linear history by the number of steps undoable, and the
// step count at the last save.
struct SaveReference {
  std::vector<std::string> states;
  std::size_t current = 0;
  std::optional<std::size_t> saved = 0;

  void Edited(const std::string& text) {
    states.resize(current + 1);
    states.push_back(text);
    if (saved && *saved > current) saved.reset();
    ++current;
  }
  bool AtSavePoint() const { return saved == current; }
};

TEST(UndoHistory, TypingRunsMergeAndBlanksStandAlone) {
  Editor e;
  e.Type("abc");
  EXPECT_EQ(e.history.UndoList().size(), 1u);
  EXPECT_TRUE(e.history.Undo(e.buffer));
  EXPECT_EQ(e.Text(), "");

  Editor f;
  f.Type("ab cd");
  ASSERT_EQ(f.history.UndoList().size(), 3u);
  EXPECT_FALSE(f.history.UndoList()[1].bMerge);  // the blank
  f.history.Undo(f.buffer);
  EXPECT_EQ(f.Text(), "ab ");
  f.history.Undo(f.buffer);
  EXPECT_EQ(f.Text(), "ab");
  f.history.Undo(f.buffer);
  EXPECT_EQ(f.Text(), "");
  EXPECT_FALSE(f.history.CanUndo());
}

TEST(UndoHistory, ARunContinuesOnlyWhereItEnded) {
  Editor e;
  e.Type("xy");
  e.buffer.SetSel(0, 0);   // click elsewhere
  e.buffer.SetSel(2, 2);   // and back right after the run
  e.Type('z');
  EXPECT_EQ(e.history.UndoList().size(), 1u);
  e.buffer.SetSel(0, 0);
  e.Type('w');
  EXPECT_EQ(e.history.UndoList().size(), 2u);
  EXPECT_EQ(e.Text(), "wxyz");
}

TEST(UndoHistory, DeleteKeysTakeWholeCharactersAndLineBreaks) {
  Editor e;
  e.buffer.SetText("a\r\n\x95\x5c" "b");
  e.buffer.SetSel(3, 3);  // after the line break
  e.Key(DeleteKey::Backspace);
  EXPECT_EQ(e.Text(), "a\x95\x5c" "b");
  ASSERT_EQ(e.history.UndoList().back().strText, "\r\n");
  e.buffer.SetSel(3, 3);  // after the double-byte character
  e.Key(DeleteKey::Backspace);
  EXPECT_EQ(e.Text(), "ab");
  EXPECT_EQ(e.history.UndoList().back().strText, "\x95\x5c");

  // Undoing Backspace leaves the caret after the restored text.
  e.history.Undo(e.buffer);
  EXPECT_EQ(e.Text(), "a\x95\x5c" "b");
  EXPECT_EQ(e.Caret(), 3u);

  // Delete before CR LF takes both; undoing it leaves the caret in place.
  Editor d;
  d.buffer.SetText("ab\r\ncd");
  d.buffer.SetSel(2, 2);
  d.Key(DeleteKey::Delete);
  EXPECT_EQ(d.Text(), "abcd");
  EXPECT_EQ(d.history.UndoList().back().strText, "\r\n");
  EXPECT_TRUE(d.history.UndoList().back().bCaretToStart);
  d.history.Undo(d.buffer);
  EXPECT_EQ(d.Text(), "ab\r\ncd");
  EXPECT_EQ(d.Caret(), 2u);

  // Delete at the end and Backspace at the start record nothing.
  d.buffer.SetSel(6, 6);
  const std::size_t before = d.history.UndoList().size();
  d.Key(DeleteKey::Delete);
  d.buffer.SetSel(0, 0);
  d.Key(DeleteKey::Backspace);
  EXPECT_EQ(d.history.UndoList().size(), before);
}

TEST(UndoHistory, TypingOverASelectionIsTwoSteps) {
  Editor e;
  e.buffer.SetText("hello");
  e.buffer.SetSel(1, 4);
  e.Type('a');
  EXPECT_EQ(e.Text(), "hao");
  EXPECT_EQ(e.history.UndoList().size(), 2u);
  e.history.Undo(e.buffer);
  EXPECT_EQ(e.Text(), "ho");
  e.history.Undo(e.buffer);
  EXPECT_EQ(e.Text(), "hello");
}

TEST(UndoHistory, JoinedRecordsAreOneStepBothWays) {
  Editor e;
  e.buffer.SetText("hello");
  e.Type('x');  // a step of its own before the joined pair
  e.buffer.SetSel(2, 5);
  e.history.RecordDeleteSelection(e.buffer);
  e.history.RecordInsertText(e.buffer, "ab");
  e.history.JoinLast();
  e.buffer.ReplaceSel("ab");
  EXPECT_EQ(e.Text(), "xhabo");
  e.history.Undo(e.buffer);
  EXPECT_EQ(e.Text(), "xhello");
  e.history.Redo(e.buffer);
  EXPECT_EQ(e.Text(), "xhabo");
  e.history.Undo(e.buffer);
  e.history.Undo(e.buffer);
  EXPECT_EQ(e.Text(), "hello");
  e.history.Redo(e.buffer);
  EXPECT_EQ(e.Text(), "xhello");
}

TEST(UndoHistory, UndoRedoUndoGivesTheSameTextsAndNewEditsEmptyRedo) {
  Editor e;
  e.buffer.SetText("x");
  e.buffer.SetSel(1, 1);
  e.Type("abc");
  e.Insert("\r\n");
  e.Type("de");
  const std::string full = e.Text();
  e.history.Undo(e.buffer);
  const std::string once = e.Text();
  e.history.Undo(e.buffer);
  const std::string twice = e.Text();
  EXPECT_TRUE(e.history.Redo(e.buffer));
  EXPECT_EQ(e.Text(), once);
  EXPECT_TRUE(e.history.Redo(e.buffer));
  EXPECT_EQ(e.Text(), full);
  EXPECT_FALSE(e.history.Redo(e.buffer));
  e.history.Undo(e.buffer);
  e.history.Undo(e.buffer);
  EXPECT_EQ(e.Text(), twice);
  // A redone record never merges with the next keystroke.
  e.history.Redo(e.buffer);
  EXPECT_FALSE(e.history.UndoList().back().bMerge);
  e.Type('z');
  EXPECT_FALSE(e.history.CanRedo());
}

TEST(UndoHistory, RandomEditsUndoToTheStartAndRedoToTheEnd) {
  Editor e;
  const std::string start = "line one\r\n\x93\xfa\x96\x7b\r\nthird";
  e.buffer.SetText(start);
  unsigned seed = 7;
  auto next = [&](unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
  };
  for (int i = 0; i < 400; ++i) {
    const std::size_t len = e.buffer.GetTextLength();
    const std::size_t a = e.buffer.CharStart(next(static_cast<unsigned>(len + 1)));
    const std::size_t b = next(3) == 0 ? e.buffer.CharStart(next(static_cast<unsigned>(len + 1))) : a;
    e.buffer.SetSel(a, b);
    switch (next(5)) {
      case 0: e.Type(static_cast<char>('a' + next(26))); break;
      case 1: e.Type(' '); break;
      case 2: e.Key(DeleteKey::Backspace); break;
      case 3: e.Key(DeleteKey::Delete); break;
      default: e.Insert(next(2) ? "\r\n" : "\x82\xa0z"); break;
    }
    ASSERT_EQ(e.buffer.CheckConsistency(), "");
  }
  const std::string end = e.Text();
  while (e.history.Undo(e.buffer)) {}
  EXPECT_EQ(e.Text(), start);
  while (e.history.Redo(e.buffer)) {}
  EXPECT_EQ(e.Text(), end);
}

TEST(UndoHistory, SavePointFollowsRandomEditsUndosRedosAndSaves) {
  Editor e;
  e.buffer.SetText("first\r\nsecond");
  SaveReference ref{{e.Text()}};
  unsigned seed = 11;
  auto next = [&](unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
  };
  for (int i = 0; i < 2000; ++i) {
    const std::size_t len = e.buffer.GetTextLength();
    const std::size_t a = e.buffer.CharStart(next(static_cast<unsigned>(len + 1)));
    const std::size_t b = e.buffer.CharStart(next(static_cast<unsigned>(len + 1)));
    switch (next(7)) {
      case 0:
      case 1:
        e.buffer.SetSel(a, a);
        e.Insert(next(2) ? "x" : "\x82\xa0");
        ref.Edited(e.Text());
        break;
      case 2:
        if (a == b) break;
        e.buffer.SetSel(a, b);
        if (next(2)) e.Key(DeleteKey::Delete);
        else e.Replace("yz");
        ref.Edited(e.Text());
        break;
      case 3:
      case 4:
        ASSERT_EQ(e.history.Undo(e.buffer), ref.current > 0);
        if (ref.current > 0) --ref.current;
        break;
      case 5:
        ASSERT_EQ(e.history.Redo(e.buffer), ref.current + 1 < ref.states.size());
        if (ref.current + 1 < ref.states.size()) ++ref.current;
        break;
      default:
        e.history.MarkSaved();
        ref.saved = ref.current;
    }
    ASSERT_EQ(e.Text(), ref.states[ref.current]) << i;
    ASSERT_EQ(e.history.AtSavePoint(), ref.AtSavePoint()) << i;
  }
}

TEST(UndoHistory, TypingOnAfterASaveKeepsTheSavedTextOneUndoAway) {
  Editor e;
  e.Type("ab");
  EXPECT_FALSE(e.history.AtSavePoint());
  e.history.MarkSaved();
  e.Type("cd");
  EXPECT_FALSE(e.history.AtSavePoint());
  ASSERT_TRUE(e.history.Undo(e.buffer));
  EXPECT_EQ(e.Text(), "ab");
  EXPECT_TRUE(e.history.AtSavePoint());
  // Typing where the saved run ended starts a new step rather than changing the saved one.
  e.Type("e");
  ASSERT_TRUE(e.history.Undo(e.buffer));
  EXPECT_TRUE(e.history.AtSavePoint());
  // An edit made past the save point takes it out of reach; a cleared history is saved text.
  ASSERT_TRUE(e.history.Undo(e.buffer));
  e.Type("f");
  ASSERT_TRUE(e.history.Undo(e.buffer));
  EXPECT_EQ(e.Text(), "");
  EXPECT_FALSE(e.history.AtSavePoint());
  ASSERT_TRUE(e.history.Redo(e.buffer));
  EXPECT_FALSE(e.history.AtSavePoint());
  e.history.Clear();
  EXPECT_TRUE(e.history.AtSavePoint());
  e.history.ForgetSavePoint();
  EXPECT_FALSE(e.history.AtSavePoint());
}

}  // namespace
