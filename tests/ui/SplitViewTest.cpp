// Two views of one document from the Window menu: typing, undo and saving through either, and the split undone.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "support/MainWindowTest.h"

#include "app/ChildFrame.h"
#include "editor/MyDoc.h"
#include "editor/MyView.h"
#include "res/resource.h"

using namespace corvella;

namespace {

class SplitViewTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    CreateFrame();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  }
  QTemporaryDir dir;
};

TEST_F(SplitViewTest, TwoViewsShowOneTextEachWithItsOwnCaretAndOneSaveSavesIt) {
  const QString path = dir.filePath(QStringLiteral("two.pl"));
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("print 1;\r\nprint 2;\r\n");
  }
  CMyDoc* doc = docs->OpenDocumentFile(path);
  ASSERT_NE(doc, nullptr);
  EXPECT_FALSE(frame->Router().Query(res::ID_WINDOW_UNSPLIT_VIEW).enabled);
  CMyView* top = frame->ActiveView();
  top->SetSel(10, 10);  // the start of line 2
  frame->Router().Route(res::ID_WINDOW_SPLIT_VIEW);
  const QList<CMyView*> views = frame->ActiveChild()->Views();
  ASSERT_EQ(views.size(), 2);
  EXPECT_FALSE(frame->Router().Query(res::ID_WINDOW_SPLIT_VIEW).enabled);
  CMyView* bottom = views[1] == top ? views[0] : views[1];
  EXPECT_EQ(bottom->Sel().caret, 10u);  // it starts where the first view is

  // Typed into the lower view: both show it; the upper caret moves with its text.
  bottom->setFocus();
  bottom->SetSel(0, 0);
  QTest::keyClicks(bottom, "my");
  EXPECT_EQ(std::as_const(*top).Buffer().GetText(), "myprint 1;\r\nprint 2;\r\n");
  EXPECT_EQ(top->Sel().caret, 12u);
  EXPECT_EQ(bottom->Sel().caret, 2u);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(frame->ActiveView(), bottom);

  // Typed into the upper one, then undone there: one history for both.
  top->setFocus();
  QTest::keyClicks(top, "x");
  EXPECT_EQ(doc->Text().Buffer().GetText(), "myprint 1;\r\nxprint 2;\r\n");
  frame->Router().Route(res::ID_EDIT_UNDO);
  frame->Router().Route(res::ID_EDIT_UNDO);
  EXPECT_EQ(doc->Text().Buffer().GetText(), "print 1;\r\nprint 2;\r\n");
  frame->Router().Route(res::ID_EDIT_REDO);
  EXPECT_EQ(std::as_const(*bottom).Buffer().GetText(), "myprint 1;\r\nprint 2;\r\n");

  frame->Router().Route(res::ID_FILE_SAVE);
  EXPECT_FALSE(doc->IsModified());
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("myprint 1;\r\nprint 2;\r\n"));

  // Undoing the split keeps the view with the focus, and its caret.
  const std::size_t caret = top->Sel().caret;
  frame->Router().Route(res::ID_WINDOW_UNSPLIT_VIEW);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(frame->ActiveChild()->Views(), QList<CMyView*>{top});
  EXPECT_EQ(top->Sel().caret, caret);
  QTest::keyClicks(top, "y");
  EXPECT_EQ(doc->Text().Buffer().GetText(caret, caret + 1), "y");
}

}  // namespace
