// The line-number gutter on a real edit control: row colours, repaint regions, line selection by click and drag.
#include "editor/LineNumberWnd.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>

#include <algorithm>
#include <string>

#include "editor/EditControl.h"

using namespace corvella;

namespace {

using Sel = EditBuffer::Selection;

// Collects the regions the gutter is asked to paint.
struct PaintRecorder : QObject {
  QRegion painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

class LineNumberWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string text = "print 1;";  // thirty lines, none after the last break
    for (int i = 2; i <= 30; ++i) text += "\r\nprint " + std::to_string(i) + ";";
    edit.SetMargins(32, 0);
    ASSERT_TRUE(gutter.Create(31, &edit));
    edit.SetText(text);
    edit.resize(360, 720);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    Settle();
  }

  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }

  int H() const { return edit.LineHeight(); }
  QPoint RowPoint(int row) const { return {10, row * H() + H() / 2}; }
  std::size_t Start(std::size_t line) { return edit.Buffer().LineIndex(line); }
  std::size_t End() { return edit.Buffer().GetTextLength(); }
  Sel Selection() { return edit.Buffer().GetSel(); }
  void Press(int row) { QTest::mousePress(&gutter, Qt::LeftButton, {}, RowPoint(row)); }
  void MoveTo(int row) { QTest::mouseMove(&gutter, RowPoint(row)); }
  void Release(int row) { QTest::mouseRelease(&gutter, Qt::LeftButton, {}, RowPoint(row)); }

  EditControl edit;
  CLineNumberWnd gutter;
};

// Whether some pixel of the row lies within `tolerance` of `color` in every channel.
bool RowHas(const QImage& image, int top, int height, QColor color, int tolerance) {
  for (int y = top; y < std::min(top + height, image.height()); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - color.red()) <= tolerance && std::abs(c.green() - color.green()) <= tolerance &&
          std::abs(c.blue() - color.blue()) <= tolerance) {
        return true;
      }
    }
  }
  return false;
}

TEST_F(LineNumberWndTest, RowsNumberEveryVisibleLineAndMarkTheCurrentOne) {
  EXPECT_EQ(gutter.geometry(), QRect(0, 0, 31, edit.viewport()->height()));
  gutter.SetCurrentLine(0, 9);
  Settle();
  const QImage image = gutter.grab().toImage();
  const int h = H();
  const int rows = GutterRowCount(gutter.height(), h);
  ASSERT_GT(rows, 33);  // rows below the end of the text are numbered too
  for (int row = 0; row * h < image.height(); ++row) {
    SCOPED_TRACE(row);
    const QColor back = row == 9 ? QColor(0, 0, 255) : QColor(0, 255, 255);
    EXPECT_EQ(image.pixelColor(0, row * h), back);
    EXPECT_EQ(image.pixelColor(30, std::min(row * h + h, image.height()) - 1), back);
    if ((row + 1) * h <= image.height()) {
      EXPECT_TRUE(RowHas(image, row * h, h, row == 9 ? Qt::white : Qt::black, 50));
    }
  }
  if (const QString dir = qEnvironmentVariable("CORVELLA_SHOT_DIR"); !dir.isEmpty()) {
    edit.grab().save(QDir(dir).filePath(QStringLiteral("gutter.png")));
  }

  edit.resize(360, 200);
  Settle();
  EXPECT_EQ(gutter.height(), edit.viewport()->height());
}

TEST_F(LineNumberWndTest, ClickSelectsTheLineUnderTheMouse) {
  Press(3);
  Release(3);
  EXPECT_EQ(Selection(), (Sel{Start(3), Start(4)}));
  Press(29);
  Release(29);
  EXPECT_EQ(Selection(), (Sel{Start(29), End()}));
  edit.SetSel(0, 0);
  Press(33);
  Release(33);
  EXPECT_EQ(Selection(), (Sel{Start(29), End()}));

  // A move with the button held that did not start in the gutter selects nothing.
  edit.SetSel(0, 0);
  QMouseEvent move(QEvent::MouseMove, RowPoint(6), gutter.mapToGlobal(RowPoint(6)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&gutter, &move);
  EXPECT_EQ(Selection(), (Sel{0, 0}));
}

TEST_F(LineNumberWndTest, DragSelectsLineRangesUpAndDown) {
  // Upward from the row numbered 5 to the row numbered 2: caret at the start of line 2.
  Press(4);
  for (int row : {3, 2, 1}) MoveTo(row);
  Release(1);
  EXPECT_EQ(Selection(), (Sel{Start(5), Start(1)}));

  // Downward from 5 to 8: caret at the start of line 9.
  Press(4);
  for (int row : {5, 6, 7}) MoveTo(row);
  Release(7);
  EXPECT_EQ(Selection(), (Sel{Start(4), Start(8)}));

  // The line of the last drag update outlives the drag: coming back onto it
  // first changes nothing; the next line does.
  Press(12);
  MoveTo(7);
  EXPECT_EQ(Selection(), (Sel{Start(12), Start(13)}));
  MoveTo(8);
  EXPECT_EQ(Selection(), (Sel{Start(13), Start(8)}));
  QTest::mouseMove(&gutter, QPoint(10, gutter.height() + 5 * H()));
  EXPECT_EQ(Selection(), (Sel{Start(12), End()}));
  Release(0);
}

TEST_F(LineNumberWndTest, MovingTheHighlightRepaintsTwoRowsUnlessScrolled) {
  edit.resize(360, 10 * H() + H() / 2);
  Settle();
  PaintRecorder recorder;
  gutter.installEventFilter(&recorder);
  gutter.SetCurrentLine(0, 4);
  Settle();
  EXPECT_EQ(recorder.painted, QRegion(0, 0, 31, H()) + QRegion(0, 4 * H(), 31, H()));

  edit.SetFirstVisibleLine(6);
  ASSERT_EQ(edit.FirstVisibleLine(), 6);
  EXPECT_TRUE(gutter.RepaintFor(4, 8).all);
  recorder.painted = QRegion();
  gutter.SetCurrentLine(4, 8);
  Settle();
  EXPECT_EQ(recorder.painted, QRegion(gutter.rect()));

  // Painted at the new position: rows count from line 6 again.
  recorder.painted = QRegion();
  gutter.SetCurrentLine(8, 9);
  Settle();
  EXPECT_EQ(recorder.painted, QRegion(0, 2 * H(), 31, 2 * H()));
  gutter.removeEventFilter(&recorder);
}

TEST(LineNumberWnd, CursorIsAnArrowPointingUpAndRight) {
  const QCursor cursor = CLineNumberWnd::MirroredArrowCursor();
  const QImage image = cursor.pixmap().toImage();
  ASSERT_FALSE(image.isNull());
  const int right = image.width() - 1;
  EXPECT_EQ(cursor.hotSpot(), QPoint(right, 0));
  EXPECT_GT(image.pixelColor(right, 0).alpha(), 0);
  EXPECT_GT(image.pixelColor(right - 3, 6).alpha(), 0);
  EXPECT_EQ(image.pixelColor(3, 6).alpha(), 0);
}

}  // namespace
