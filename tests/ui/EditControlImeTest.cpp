// The edit control and the input method: what it is told after scrolling and composing, what it is answered.
#include <string>

#include <QApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "editor/UndoEditView.h"

using namespace corvella;

namespace {

class EditControlImeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.resize(400, 200);
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    view.setFocus();
    ASSERT_TRUE(view.hasFocus());
    QObject::connect(QGuiApplication::inputMethod(), &QInputMethod::cursorRectangleChanged, &view,
                     [this] { reported = Query(Qt::ImCursorRectangle).toRect(); });
  }

  QVariant Query(Qt::InputMethodQuery query) { return static_cast<QWidget&>(view).inputMethodQuery(query); }

  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(&view, static_cast<Qt::Key>(key), mods);
  }

  void Compose(const QString& preedit, int cursor) {
    QInputMethodEvent event(preedit, {{QInputMethodEvent::Cursor, cursor, 1, QVariant()}});
    QApplication::sendEvent(&view, &event);
  }

  // Where the caret is painted, in the view's coordinates: `cells` after the caret's character.
  QPoint PaintedCaret(int cells = 0) const {
    const QPoint at = view.PosFromChar(view.Buffer().GetSel().caret);
    return view.viewport()->mapTo(&view, at) + QPoint(qRound(cells * view.CellWidth()), 0);
  }

  // The last rectangle reported is where the caret is painted now, inside the viewport.
  void ExpectReportedAtCaret(int cells = 0) {
    EXPECT_EQ(reported.topLeft(), PaintedCaret(cells));
    EXPECT_TRUE(view.viewport()->geometry().contains(reported.topLeft()));
  }

  CUndoEditView view;
  QRect reported;
};

std::string Lines(int count, const std::string& last) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text + last;
}

TEST_F(EditControlImeTest, CaretRectangleIsReportedAfterEveryScroll) {
  view.OnInitialUpdate(Lines(200, std::string(2000, 'x')));
  Key(Qt::Key_End, Qt::ControlModifier);
  ExpectReportedAtCaret();

  Key(Qt::Key_Home);
  Key(Qt::Key_End);
  ExpectReportedAtCaret();

  // The caret on the bottom row: one Down scrolls by a line.
  Key(Qt::Key_Home, Qt::ControlModifier);
  view.SetSel(0, 0);
  for (int i = 1; i < view.VisibleLineCount(); ++i) Key(Qt::Key_Down);
  const int first = view.FirstVisibleLine();
  Key(Qt::Key_Down);
  ASSERT_EQ(view.FirstVisibleLine(), first + 1);
  ExpectReportedAtCaret();

  // The scroll bar moves the text under a caret that stays where it is.
  view.verticalScrollBar()->setValue(view.FirstVisibleLine() - 2);
  EXPECT_EQ(reported.topLeft(), PaintedCaret());
}

TEST_F(EditControlImeTest, CaretRectangleIsReportedAfterFontChangeAndComposition) {
  view.OnInitialUpdate("print \"\";");
  view.SetSel(7, 7);
  QFont bigger = view.EditorFont();
  bigger.setPointSize(bigger.pointSize() * 2);
  view.SetEditorFont(bigger);
  ExpectReportedAtCaret();

  Compose(QString::fromUtf8("\xe3\x81\x82\xe3\x81\x84"), 2);  // "あい", cursor at its end
  ExpectReportedAtCaret(4);
  Compose(QString::fromUtf8("\xe3\x81\x82\xe3\x81\x84"), 1);
  ExpectReportedAtCaret(2);
}

// Pixels other than the background in cells [from, to) of the first row, its bottom (the underline) left out.
int Ink(const EditControl& view, int from, int to) {
  const QImage image = view.viewport()->grab().toImage();
  const int left = view.FormattingRect().left();
  int ink = 0;
  for (int x = left + qRound(from * view.CellWidth()); x < left + qRound(to * view.CellWidth()); ++x) {
    for (int y = 0; y < view.LineHeight() - 3; ++y) ink += image.pixelColor(x, y) != view.BackColor();
  }
  return ink;
}

TEST_F(EditControlImeTest, PreeditPushesTheRestOfTheLineRight) {
  view.OnInitialUpdate("print \"\";");
  view.SetSel(7, 7);
  ASSERT_GT(Ink(view, 7, 9), 0);
  ASSERT_EQ(Ink(view, 13, 15), 0);
  Compose(QString::fromUtf8("\xe3\x81\x82\xe3\x81\x84\xe3\x81\x86"), 0);  // "あいう", six cells
  EXPECT_GT(Ink(view, 13, 15), 0);  // '";' after it
  Compose(QString(), 0);
  EXPECT_GT(Ink(view, 7, 9), 0);
  EXPECT_EQ(Ink(view, 13, 15), 0);
}

TEST_F(EditControlImeTest, PreeditCursorIsScrolledIntoView) {
  view.OnInitialUpdate(Lines(200, std::string(300, 'x')));
  const QString kana = QString::fromUtf8("\xe3\x81\x82").repeated(12);
  // At the right edge of the viewport, the pre-edit growing past it.
  const std::size_t edge = view.Buffer().LineIndex(200) + view.FormattingRect().width() / qRound(view.CellWidth()) - 2;
  view.SetSel(edge, edge);
  for (int n = 1; n <= kana.size(); ++n) {
    Compose(kana.left(n), n);
    EXPECT_TRUE(view.viewport()->geometry().contains(Query(Qt::ImCursorRectangle).toRect().topLeft())) << n;
  }
  Compose(QString(), 0);
  // Scrolled away with the scroll bar, composing brings the caret back.
  view.verticalScrollBar()->setValue(0);
  Compose(kana.left(1), 1);
  EXPECT_TRUE(view.viewport()->geometry().contains(Query(Qt::ImCursorRectangle).toRect().topLeft()));
  ExpectReportedAtCaret(2);
}

}  // namespace
