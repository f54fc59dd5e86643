// The edit control and the input method: what it is told after scrolling and composing, what it is answered.
#include <string>

#include <QApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextCharFormat>
#include <QtGui/private/qinputmethod_p.h>
#include <qpa/qplatforminputcontext.h>

#include <gtest/gtest.h>

#include "editor/UndoEditView.h"

using namespace corvella;

namespace {

// Stands in for the desktop's input method: like ibus, it reads the text
// around the caret only when the control says that text may have changed.
class ListeningInputContext : public QPlatformInputContext {
 public:
  bool isValid() const override { return true; }
  void update(Qt::InputMethodQueries queries) override {
    QObject* focus = QGuiApplication::focusObject();
    if (!focus || !(queries & (Qt::ImSurroundingText | Qt::ImCursorPosition | Qt::ImAnchorPosition))) return;
    QInputMethodQueryEvent query(Qt::ImSurroundingText | Qt::ImCursorPosition | Qt::ImAnchorPosition);
    QCoreApplication::sendEvent(focus, &query);
    surrounding = query.value(Qt::ImSurroundingText).toString();
    cursor = query.value(Qt::ImCursorPosition).toInt();
    anchor = query.value(Qt::ImAnchorPosition).toInt();
  }

  QString surrounding;
  int cursor = -1;
  int anchor = -1;
};

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
    QInputMethodPrivate::get(QGuiApplication::inputMethod())->testContext = &context;
  }

  void TearDown() override { QInputMethodPrivate::get(QGuiApplication::inputMethod())->testContext = nullptr; }

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

  ListeningInputContext context;
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

TEST_F(EditControlImeTest, SurroundingTextIsTheCaretsLine) {
  view.OnInitialUpdate("x\r\n\x93\xfa\x96\x7b\x8c\xea\x82\xc5\"abc\";");  // 日本語で"abc";
  view.SetSel(11, 11);  // after で
  EXPECT_EQ(Query(Qt::ImSurroundingText).toString(), QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xa7\"abc\";"));
  EXPECT_EQ(Query(Qt::ImCursorPosition).toInt(), 4);
  EXPECT_EQ(Query(Qt::ImAnchorPosition).toInt(), 4);
  view.SetSel(5, 11);
  EXPECT_EQ(Query(Qt::ImAnchorPosition).toInt(), 1);
  EXPECT_EQ(Query(Qt::ImCurrentSelection).toString(), QString::fromUtf8("\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xa7"));
  view.SetSel(0, 11);  // from the line above: its start
  EXPECT_EQ(Query(Qt::ImAnchorPosition).toInt(), 0);
}

// Reconversion takes the selection the input method was last told of.
TEST_F(EditControlImeTest, TheInputMethodIsToldOfEverySelectionAndEdit) {
  view.OnInitialUpdate("print \"\x93\xfa\x96\x7b\x8c\xea\";");  // print "日本語";
  view.SetSel(13, 13);  // after 語
  for (int i = 0; i < 3; ++i) Key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(context.surrounding, QString::fromUtf8("print \"\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\";"));
  EXPECT_EQ(context.cursor, 7);
  EXPECT_EQ(context.anchor, 10);
  QTest::keyClicks(&view, "x");
  EXPECT_EQ(context.surrounding, QString::fromUtf8("print \"x\";"));
  EXPECT_EQ(context.cursor, 8);
  EXPECT_EQ(context.anchor, 8);
}

TEST_F(EditControlImeTest, ReconversionReplacesTheTextTakenBack) {
  view.OnInitialUpdate("a\x93\xfa\x96\x7b\x8c\xea" "b");  // a日本語b
  view.SetSel(1, 7);
  const QString before = Query(Qt::ImCurrentSelection).toString();
  QInputMethodEvent reopen(QString::fromUtf8("\xe3\x81\xab\xe3\x81\xbb\xe3\x82\x93\xe3\x81\x94"), {});
  reopen.setCommitString(QString(), -before.size(), static_cast<int>(before.size()));
  QApplication::sendEvent(&view, &reopen);
  EXPECT_EQ(view.Buffer().GetText(), "a\x93\xfa\x96\x7b\x8c\xea" "b");  // kept until the result comes
  QInputMethodEvent result;
  result.setCommitString(QString::fromUtf8("\xe4\xba\x8c\xe6\x9c\xac"));  // 二本
  QApplication::sendEvent(&view, &result);
  EXPECT_EQ(view.Buffer().GetText(), "a\x93\xf1\x96\x7b" "b");
  view.Undo();  // one step
  EXPECT_EQ(view.Buffer().GetText(), "a\x93\xfa\x96\x7b\x8c\xea" "b");
  view.Redo();

  // Taken back with nothing in its place: deleted, undoably.
  view.SetSel(5, 5);
  QInputMethodEvent remove;
  remove.setCommitString(QString(), -1, 1);
  QApplication::sendEvent(&view, &remove);
  EXPECT_EQ(view.Buffer().GetText(), "a\x93\xf1" "b");
  view.Undo();
  EXPECT_EQ(view.Buffer().GetText(), "a\x93\xf1\x96\x7b" "b");
}

// Pixels of `color` in cells [from, to) of the first row; in its bottom three pixel rows when asked.
int Pixels(const EditControl& view, QColor color, int from, int to, bool bottom = false) {
  const QImage image = view.viewport()->grab().toImage();
  const int left = view.FormattingRect().left();
  int count = 0;
  for (int x = left + qRound(from * view.CellWidth()); x < left + qRound(to * view.CellWidth()); ++x) {
    for (int y = bottom ? view.LineHeight() - 3 : 0; y < view.LineHeight(); ++y) count += image.pixelColor(x, y) == color;
  }
  return count;
}

// A composition begun over a selection (as a reconversion is) shows in its
// place; the selection comes back when the composition is given up.
TEST_F(EditControlImeTest, APreeditStandsInPlaceOfTheSelection) {
  view.OnInitialUpdate("print \"abc\";");
  const QColor highlight = view.palette().color(QPalette::Highlight);
  view.SetSel(7, 10);  // abc, the caret after it
  Compose(QString::fromUtf8("\xe3\x81\x82"), 1);  // あ
  EXPECT_EQ(Pixels(view, highlight, 0, 16), 0);
  EXPECT_GT(Ink(view, 9, 11), 0);  // '";' right after あ
  EXPECT_EQ(Ink(view, 11, 16), 0);
  EXPECT_EQ(reported.topLeft(), view.viewport()->mapTo(&view, view.PosFromChar(7)) + QPoint(qRound(2 * view.CellWidth()), 0));
  Compose(QString(), 0);
  EXPECT_GT(Pixels(view, highlight, 7, 10), 0);
  EXPECT_GT(Ink(view, 10, 12), 0);
}

TEST_F(EditControlImeTest, SegmentsAreDrawnInTheirFormats) {
  view.OnInitialUpdate("print;");
  view.SetSel(0, 0);
  QTextCharFormat converting;
  converting.setBackground(QColor(0, 0, 255));
  converting.setForeground(QColor(255, 255, 255));
  QTextCharFormat other;
  other.setUnderlineStyle(QTextCharFormat::SingleUnderline);
  QInputMethodEvent event(QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac\xe3\x81\x94"),  // 日本ご
                          {{QInputMethodEvent::TextFormat, 0, 2, converting},
                           {QInputMethodEvent::TextFormat, 2, 1, other}});
  QApplication::sendEvent(&view, &event);
  EXPECT_GT(Pixels(view, QColor(0, 0, 255), 0, 4), 0);
  EXPECT_EQ(Pixels(view, QColor(0, 0, 255), 4, 6), 0);
  EXPECT_EQ(Pixels(view, view.TextColor(), 0, 4, true), 0);  // the converted segment is not underlined
  EXPECT_GT(Pixels(view, view.TextColor(), 4, 6, true), qRound(view.CellWidth()));
}

TEST_F(EditControlImeTest, AClickCommitsTheCompositionWhereItWas) {
  view.OnInitialUpdate("abc\r\ndef");
  view.SetSel(1, 1);
  Compose(QString::fromUtf8("\xe3\x81\x82"), 1);  // あ
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.PosFromChar(7) + QPoint(1, view.LineHeight() / 2));
  EXPECT_EQ(view.Buffer().GetText(), "a\x82\xa0" "bc\r\ndef");
  EXPECT_EQ(view.Buffer().GetSel().caret, 9u);  // between e and f, where the click was
  view.Undo();
  EXPECT_EQ(view.Buffer().GetText(), "abc\r\ndef");
}

}  // namespace
