// Breakpoints and the execution line in real views: the gutter's mark strip, both views of a split, Ctrl+F9.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "support/MainWindowTest.h"

#include "app/ChildFrame.h"
#include "editor/LineNumberWnd.h"
#include "editor/MyDoc.h"
#include "editor/MyView.h"
#include "res/resource.h"

using namespace corvella;

namespace {

class BreakpointStripTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    CreateFrame();
    frame->resize(700, 600);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    // Shortcuts need the window active (under a real X server as well).
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get(), 2000));
    const QString path = dir.filePath(QStringLiteral("marks.pl"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("use strict;\r\nmy $x = 1;\r\nmy $y = 2;\r\nprint $x + $y;\r\nprint \"\\n\";\r\n"
            "for my $i (1 .. 3) {\r\n  print $i;\r\n}\r\nexit 0;\r\n");
    f.close();
    doc = docs->OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    Settle();
  }
  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  static CLineNumberWnd* Gutter(CMyView* view) { return view->viewport()->findChild<CLineNumberWnd*>(); }
  // The middle of `row`'s cell in the mark strip, or of its number.
  static QPoint Strip(CMyView* view, int row) {
    const int h = view->LineHeight();
    return {Gutter(view)->MarkStripWidth() / 2, row * h + h / 2};
  }
  static QPoint Number(CMyView* view, int row) {
    const int h = view->LineHeight();
    return {Gutter(view)->MarkStripWidth() + 15, row * h + h / 2};
  }
  static QColor StripColor(CMyView* view, int row) {
    return Gutter(view)->grab().toImage().pixelColor(Strip(view, row));
  }
  static bool Red(QColor c) { return c.red() > 180 && c.green() < 80 && c.blue() < 80; }
  std::size_t Start(std::size_t line) const { return doc->Text().Buffer().LineIndex(line); }

  QTemporaryDir dir;
  CMyDoc* doc = nullptr;
};

TEST_F(BreakpointStripTest, StripTogglesNumbersSelectMarksFollowEditsInBothViewsAndCtrlF9Toggles) {
  CMyView* top = frame->ActiveView();
  ASSERT_NE(Gutter(top), nullptr);
  const int strip = Gutter(top)->MarkStripWidth();
  EXPECT_GE(strip, top->LineHeight());
  EXPECT_EQ(Gutter(top)->width(), strip + 31);
  EXPECT_EQ(top->FormattingRect().left(), strip + 32);

  // A click in the strip toggles the row's breakpoint and selects nothing.
  QSignalSpy changed(doc, &CMyDoc::breakpointsChanged);
  top->SetSel(0, 0);
  QTest::mouseClick(Gutter(top), Qt::LeftButton, {}, Strip(top, 2));
  EXPECT_EQ(doc->BreakpointLines(), std::vector<int>{2});
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(top->Sel(), (EditBuffer::Selection{0, 0}));
  Settle();
  EXPECT_TRUE(Red(StripColor(top, 2)));
  EXPECT_FALSE(Red(StripColor(top, 1)));
  // A click on the numbers still selects the line, breakpoints untouched.
  QTest::mouseClick(Gutter(top), Qt::LeftButton, {}, Number(top, 4));
  EXPECT_EQ(top->Sel(), (EditBuffer::Selection{Start(4), Start(5)}));
  EXPECT_EQ(doc->BreakpointLines(), std::vector<int>{2});
  QTest::mouseClick(Gutter(top), Qt::LeftButton, {}, Strip(top, 2));
  EXPECT_TRUE(doc->BreakpointLines().empty());
  QTest::mouseClick(Gutter(top), Qt::LeftButton, {}, Strip(top, 2));

  // Split: a line typed in above the breakpoint moves it in both views.
  frame->Router().Route(res::ID_WINDOW_SPLIT_VIEW);
  const QList<CMyView*> views = frame->ActiveChild()->Views();
  ASSERT_EQ(views.size(), 2);
  CMyView* bottom = views[1] == top ? views[0] : views[1];
  bottom->SetFirstVisibleLine(0);
  top->setFocus();
  top->SetSel(Start(1), Start(1));
  QTest::keyClick(top, Qt::Key_Return);
  EXPECT_EQ(doc->BreakpointLines(), std::vector<int>{3});
  Settle();
  for (CMyView* view : {top, bottom}) {
    EXPECT_TRUE(Red(StripColor(view, 3)));
    EXPECT_FALSE(Red(StripColor(view, 2)));
  }

  // Ctrl+F9 toggles the caret's line, in the other view as well.
  top->SetSel(Start(6) + 2, Start(6) + 2);
  QTest::keyClick(top, Qt::Key_F9, Qt::ControlModifier);
  EXPECT_EQ(doc->BreakpointLines(), (std::vector<int>{3, 6}));
  Settle();
  EXPECT_TRUE(Red(StripColor(bottom, 6)));
  QTest::keyClick(top, Qt::Key_F9, Qt::ControlModifier);
  EXPECT_EQ(doc->BreakpointLines(), std::vector<int>{3});

  // The execution line: an arrow over the circle, a light background behind the text.
  QSignalSpy moved(doc, &CMyDoc::executionLineChanged);
  doc->SetExecutionLine(3);
  EXPECT_EQ(doc->ExecutionLine(), 3);
  EXPECT_EQ(moved.count(), 1);
  Settle();
  for (CMyView* view : {top, bottom}) {
    const QColor arrow = StripColor(view, 3);
    EXPECT_TRUE(arrow.red() > 200 && arrow.green() > 150 && arrow.blue() < 80) << arrow.name().toStdString();
    const QImage text = view->viewport()->grab().toImage();
    const int y = 3 * view->LineHeight() + 1;
    EXPECT_EQ(text.pixelColor(view->FormattingRect().right() - 2, y), EditControl::kExecutionLineBack);
    EXPECT_NE(text.pixelColor(view->FormattingRect().right() - 2, y + view->LineHeight()),
              EditControl::kExecutionLineBack);
  }
  doc->SetExecutionLine(6);
  doc->SetExecutionLine(4);
  EXPECT_EQ(doc->ExecutionLine(), 4);
  if (const QString shots = qEnvironmentVariable("CORVELLA_SHOT_DIR"); !shots.isEmpty()) {
    doc->ToggleBreakpoint(7);
    Settle();
    frame->grab().save(QDir(shots).filePath(QStringLiteral("breakpoints.png")));
  }
  doc->SetExecutionLine(-1);
  EXPECT_EQ(doc->ExecutionLine(), -1);
  frame->Router().Route(res::ID_DEBUG_CLEAR_BREAKPOINTS);
  EXPECT_TRUE(doc->BreakpointLines().empty());
}

}  // namespace
