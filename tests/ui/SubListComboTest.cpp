// The toolbar's sub list in the real main window: what it lists, where choosing goes, and how it follows typing and
// the active document.
#include "app/SubListCombo.h"

#include <QAbstractItemView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

#include "support/MainWindowTest.h"

#include "editor/MyView.h"

using namespace corvella;

namespace {

class SubListComboTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    CreateFrame();
    list = frame->SubList();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  }
  CMyView* NewScript(const std::string& text) {
    EXPECT_NE(docs->OnFileNew(), nullptr);
    CMyView* view = frame->ActiveView();
    view->SetText(text);
    return view;
  }
  QStringList Items() const {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
  }
  // The list follows on the frame's idle updates.
  bool WaitForItems(const QStringList& expected) {
    return QTest::qWaitFor([&] { return Items() == expected; }, 3000);
  }

  CSubListCombo* list = nullptr;
};

TEST_F(SubListComboTest, ListsChoosesFollowsTypingAndTheActiveDocument) {
  CMyView* first = NewScript("my $s = 'sub no';\r\nsub top {}\r\n");
  CMyView* second = NewScript(
      "package Foo;\r\n# sub no {}\r\nsub bar {\r\n  1;\r\n}\r\n=pod\r\n\r\nsub no {}\r\n\r\n=cut\r\nsub baz {\r\n}\r\n");
  ASSERT_TRUE(WaitForItems({"package Foo", "  sub bar", "  sub baz"}));
  EXPECT_EQ(list->currentIndex(), 0);  // the caret is on "package Foo"

  // Chosen from the open list: the caret goes to the start of its line and
  // the text has the focus again.
  list->showPopup();
  QAbstractItemView* popup = list->view();
  ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }));
  const QRect item = popup->visualRect(popup->model()->index(2, 0));
  QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, item.center());
  const EditBuffer& buffer = second->Document().Buffer();
  EXPECT_EQ(second->Sel().caret, buffer.LineIndex(10));
  EXPECT_TRUE(QTest::qWaitFor([second] { return second->hasFocus(); }));
  EXPECT_EQ(list->currentIndex(), 2);

  // The caret inside "bar" makes it the current item.
  second->SetSel(buffer.LineIndex(3), buffer.LineIndex(3));
  EXPECT_TRUE(QTest::qWaitFor([this] { return list->currentIndex() == 1; }, 3000));

  // A sub typed on a new last line joins the list.
  QTest::keyClick(second, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(second, "sub x {}");
  EXPECT_TRUE(WaitForItems({"package Foo", "  sub bar", "  sub baz", "  sub x"}));
  EXPECT_TRUE(QTest::qWaitFor([this] { return list->currentIndex() == 3; }, 3000));

  // The other document brings its own list.
  frame->MdiArea()->setActiveSubWindow(frame->MdiArea()->subWindowList().front());
  ASSERT_EQ(frame->ActiveView(), first);
  EXPECT_TRUE(WaitForItems({"sub top"}));
  EXPECT_TRUE(list->isEnabled());
  answer = MsgResult::No;  // not saved
  docs->CloseAll();
  EXPECT_TRUE(WaitForItems({}));
  EXPECT_FALSE(list->isEnabled());
}

}  // namespace
