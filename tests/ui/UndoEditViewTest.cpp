// The undo edit view driven by real key, mouse, input-method and drag events.
#include "editor/UndoEditView.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

// A view whose drag loop drops at a chosen place instead of following the mouse.
class DroppingView : public CUndoEditView {
 public:
  CUndoEditView* target = this;
  std::size_t dropAt = 0;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;

 protected:
  Qt::DropAction ExecDrag(QDrag* drag) override {
    const QPoint at = target->PosFromChar(dropAt) + QPoint(1, target->LineHeight() / 2);
    const Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, allowed, drag->mimeData(), Qt::LeftButton, modifiers);
    QApplication::sendEvent(target->viewport(), &enter);
    QDropEvent drop(at, allowed, drag->mimeData(), Qt::LeftButton, modifiers);
    QApplication::sendEvent(target->viewport(), &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
  }
};

// Presses on the selection at `from` and moves far enough to start a drag.
void DragFrom(CUndoEditView& view, std::size_t from) {
  const QPoint at = view.PosFromChar(from) + QPoint(1, view.LineHeight() / 2);
  QTest::mousePress(view.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseMove(view.viewport(), at + QPoint(20, 0));
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at + QPoint(20, 0));
}

TEST(UndoEditViewDrag, MovingForwardKeepsTheTextSelectedAtTheDropPoint) {
  DroppingView view;
  view.resize(600, 300);
  view.EnableDragDrop(3);
  view.show();
  view.OnInitialUpdate("abc def ghi");
  view.SetSel(0, 4);  // "abc "
  view.dropAt = 8;    // before "ghi"
  DragFrom(view, 1);
  EXPECT_EQ(view.Buffer().GetText(), "def abc ghi");
  EXPECT_EQ(view.Buffer().GetSelText(), "abc ");
  view.Undo();
  view.Undo();
  EXPECT_EQ(view.Buffer().GetText(), "abc def ghi");

  // Dropping inside the selection changes nothing.
  view.SetSel(4, 7);
  view.dropAt = 5;
  DragFrom(view, 5);
  EXPECT_EQ(view.Buffer().GetText(), "abc def ghi");
}

TEST(UndoEditViewDrag, CtrlCopiesAndOtherViewsReceiveMoves) {
  DroppingView view;
  view.resize(600, 300);
  view.EnableDragDrop(3);
  view.show();
  view.OnInitialUpdate("one two");
  view.SetSel(0, 3);
  view.dropAt = 7;
  view.modifiers = Qt::ControlModifier;
  DragFrom(view, 1);
  EXPECT_EQ(view.Buffer().GetText(), "one twoone");
  EXPECT_EQ(view.Buffer().GetSelText(), "one");

  CUndoEditView other;
  other.resize(600, 300);
  other.EnableDragDrop(3);
  other.show();
  other.OnInitialUpdate("X");
  view.target = &other;
  view.dropAt = 1;
  view.modifiers = Qt::NoModifier;
  view.SetSel(4, 7);  // "two"
  DragFrom(view, 5);
  EXPECT_EQ(other.Buffer().GetText(), "Xtwo");
  EXPECT_EQ(view.Buffer().GetText(), "one one");

  // A second view of the same text: the text moves once, into the drop point,
  // even when that lies inside the first view's selection as it grows.
  CUndoEditView second;
  second.resize(600, 300);
  second.EnableDragDrop(3);
  second.show();
  second.SetDocument(view.SharedDocument());
  view.OnInitialUpdate("abc def ghi");
  view.target = &second;
  view.SetSel(4, 11);  // "def ghi"
  view.dropAt = 0;
  DragFrom(view, 5);
  EXPECT_EQ(second.Buffer().GetText(), "def ghiabc ");
  view.SetSel(0, 3);  // "def"
  view.dropAt = 2;    // inside it: nothing changes
  DragFrom(view, 1);
  EXPECT_EQ(view.Buffer().GetText(), "def ghiabc ");
}

class UndoEditViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.resize(600, 400);
    view.EnableDragDrop(3);
    view.show();
    view.setFocus();
  }
  std::string Text() const { return view.Buffer().GetText(); }
  std::size_t Caret() const { return view.Buffer().GetSel().caret; }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&view, key, mods); }
  void Undo() { Key(Qt::Key_Z, Qt::ControlModifier); }
  // A key that types `text` without a key code of its own, as keyboard layouts deliver it.
  void TypeText(const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(&view, &press);
  }
  void Redo() { Key(Qt::Key_Y, Qt::ControlModifier); }

  CUndoEditView view;
};

TEST_F(UndoEditViewTest, TypingRunsAreSingleSteps) {
  QTest::keyClicks(&view, "abc");
  EXPECT_EQ(Text(), "abc");
  Undo();
  EXPECT_EQ(Text(), "");

  QTest::keyClicks(&view, "ab cd");
  EXPECT_EQ(view.History().UndoList().size(), 3u);
  Undo();
  EXPECT_EQ(Text(), "ab ");
  Undo();
  Undo();
  EXPECT_EQ(Text(), "");
  Redo();
  Redo();
  Redo();
  EXPECT_EQ(Text(), "ab cd");
  Undo();
  EXPECT_EQ(Text(), "ab ");
  QTest::keyClicks(&view, "x");
  EXPECT_FALSE(view.CanRedo());
}

TEST_F(UndoEditViewTest, EnterBackspaceAndDeleteRecordWholeCharacters) {
  view.OnInitialUpdate("\x95\x5c" "a");
  view.SetSel(2, 2);
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "\x95\x5c\r\na");
  Key(Qt::Key_Backspace);  // the line break as one step
  EXPECT_EQ(Text(), "\x95\x5c" "a");
  Key(Qt::Key_Backspace);  // the double-byte character as one step
  EXPECT_EQ(Text(), "a");
  Undo();
  EXPECT_EQ(Text(), "\x95\x5c" "a");
  EXPECT_EQ(Caret(), 2u);  // after the restored text

  view.SetSel(0, 0);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Text(), "a");
  Undo();
  EXPECT_EQ(Caret(), 0u);  // Delete undone: the caret stays

  Key(Qt::Key_End);
  const std::size_t steps = view.History().UndoList().size();
  Key(Qt::Key_Delete);  // at the end: nothing recorded
  EXPECT_EQ(view.History().UndoList().size(), steps);
}

TEST_F(UndoEditViewTest, TypingOverASelectionAndPastingAreUndoable) {
  view.OnInitialUpdate("hello world");
  view.SetSel(0, 5);
  QTest::keyClicks(&view, "bye");
  EXPECT_EQ(Text(), "bye world");
  EXPECT_EQ(view.History().UndoList().size(), 2u);
  Undo();
  Undo();
  EXPECT_EQ(Text(), "hello world");

  QGuiApplication::clipboard()->setText(QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac\n!"));
  view.SetSel(5, 11);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(), "hello\x93\xfa\x96\x7b\r\n!");
  Undo();
  Undo();
  EXPECT_EQ(Text(), "hello world");

  view.SetSel(0, 5);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("hello"));
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Text(), " world");
  Undo();
  EXPECT_EQ(Text(), "hello world");
}

TEST_F(UndoEditViewTest, InputMethodTextIsOneInsertion) {
  view.OnInitialUpdate("ab");
  view.SetSel(1, 1);
  QInputMethodEvent compose(QString::fromUtf8("\xe3\x81\x82"), {});
  QApplication::sendEvent(&view, &compose);
  EXPECT_EQ(Text(), "ab");  // composition is shown, not inserted
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e"));
  QApplication::sendEvent(&view, &commit);
  EXPECT_EQ(Text(), "a\x93\xfa\x96\x7b\x8c\xea" "b");
  ASSERT_EQ(view.History().UndoList().size(), 1u);
  QTest::keyClicks(&view, "x");  // typed after the input method: recorded on its own
  EXPECT_EQ(view.History().UndoList().size(), 2u);
  Undo();
  Undo();
  EXPECT_EQ(Text(), "ab");
}

TEST_F(UndoEditViewTest, CharactersShiftJisCannotHoldAreRefused) {
  TypeText(QString::fromUtf8("a\xf0\x9f\x98\x80" "b"));
  EXPECT_EQ(Text(), "ab");
  TypeText(QString::fromUtf8("\xef\xbd\xb1"));  // half-width katakana: one byte, typed
  EXPECT_EQ(Text(), "ab\xb1");
  EXPECT_EQ(view.History().UndoList().size(), 1u);
}

TEST_F(UndoEditViewTest, MouseSelectsAndNavigationKeysMove) {
  view.OnInitialUpdate("first line\r\nsecond line\r\n\x82\xa0\x82\xa2 end");
  const QPoint start = view.PosFromChar(0) + QPoint(1, view.LineHeight() / 2);
  const QPoint end = view.PosFromChar(17) + QPoint(1, view.LineHeight() / 2);
  QTest::mousePress(view.viewport(), Qt::LeftButton, {}, start);
  QTest::mouseMove(view.viewport(), end);
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, end);
  EXPECT_EQ(view.Buffer().GetSel().Start(), 0u);
  EXPECT_EQ(view.Buffer().GetSel().End(), 17u);

  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.PosFromChar(14) + QPoint(2, 2));
  EXPECT_EQ(view.Buffer().GetSelText(), "second");

  view.SetSel(25, 25);  // the start of the third line
  Key(Qt::Key_Right);
  EXPECT_EQ(Caret(), 27u);  // over a whole double-byte character
  Key(Qt::Key_Left);
  Key(Qt::Key_Left);
  EXPECT_EQ(Caret(), 23u);  // back over the line break as one step
  Key(Qt::Key_End, Qt::ShiftModifier);
  Key(Qt::Key_Home);
  EXPECT_EQ(Caret(), 12u);
  Key(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(view.Buffer().GetSel().anchor, 12u);
  EXPECT_EQ(Caret(), view.Buffer().GetTextLength());
  Key(Qt::Key_Up);
  EXPECT_EQ(view.Buffer().LineFromChar(Caret()), 1u);
}

TEST_F(UndoEditViewTest, ReadOnlyControlSelectsAndCopiesButNeverChanges) {
  EditControl pane;
  pane.SetReadOnly(true);
  pane.SetText("output\r\nline");
  pane.show();
  pane.setFocus();
  QTest::keyClicks(&pane, "xyz");
  QTest::keyClick(&pane, Qt::Key_Return);
  QTest::keyClick(&pane, Qt::Key_Delete);
  QTest::keyClick(&pane, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&pane, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(pane.Buffer().GetText(), "output\r\nline");
  QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("output\nline"));
}

TEST_F(UndoEditViewTest, DropsFromOutsideInsertUndoablyAndSelect) {
  view.OnInitialUpdate("abc def");
  QMimeData data;
  data.setText(QStringLiteral("XY"));
  const QPoint at = view.PosFromChar(4) + QPoint(1, view.LineHeight() / 2);
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view.viewport(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view.viewport(), &drop);
  EXPECT_EQ(Text(), "abc XYdef");
  EXPECT_EQ(view.Buffer().GetSelText(), "XY");
  Undo();
  EXPECT_EQ(Text(), "abc def");
}

}  // namespace
