// The document tab strip of the real main window with 200 documents: the rows stay few, the editor keeps its height, every tab stays reachable.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "support/MainWindowTest.h"

#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "controls/DocTabCtrl.h"
#include "res/resource.h"

using namespace corvella;

namespace {

void Settle() {
  for (int i = 0; i < 4; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

class DocTabRowsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    CreateFrame();
    frame->resize(900, 650);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    tabs = frame->findChild<CDocTabCtrl*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_TRUE(dir.isValid());
  }

  QString MakeFile(int n) const {
    const QString path = dir.filePath(QStringLiteral("f%1.pl").arg(n, 3, 10, QLatin1Char('0')));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("print 1;\n");
    return path;
  }

  // On show: inside the strip and not under the documents.
  bool Shown(int tab) const {
    const QRect r = tabs->GetItemRect(tab);
    return !r.isEmpty() && tabs->rect().contains(r) && !r.intersects(frame->MdiArea()->geometry());
  }

  int FirstHiddenTab() const {
    for (int i = 0; i < tabs->GetItemCount(); ++i) {
      if (!Shown(i)) return i;
    }
    return -1;
  }

  QTemporaryDir dir;
  CDocTabCtrl* tabs = nullptr;
};

}  // namespace

TEST_F(DocTabRowsTest, TwoHundredDocumentsKeepTheEditorTallAndEveryTabReachable) {
  ASSERT_NE(docs->OpenDocumentFile(MakeFile(1)), nullptr);
  Settle();
  const int oneDocument = frame->MdiArea()->height();
  ASSERT_GT(oneDocument, 100);
  EXPECT_EQ(tabs->GetListButtonRect(), QRect());  // nothing left out: no button

  for (int n = 2; n <= 200; ++n) ASSERT_NE(docs->OpenDocumentFile(MakeFile(n)), nullptr);
  Settle();
  ASSERT_EQ(tabs->GetItemCount(), 200);
  EXPECT_GT(tabs->GetRowCount(), 3);
  EXPECT_LE(tabs->GetShownRowCount(), 3);
  EXPECT_GE(frame->MdiArea()->height(), oneDocument * 7 / 10);
  EXPECT_TRUE(Shown(tabs->GetCurSel()));

  // A document whose tab is out of view, brought up as the ウィンドウ menu does: its tab shows.
  int hidden = FirstHiddenTab();
  ASSERT_GE(hidden, 0);
  frame->MdiArea()->setActiveSubWindow(tabs->GetTabWindow(hidden));
  Settle();
  EXPECT_EQ(tabs->GetCurSel(), hidden);
  EXPECT_TRUE(Shown(hidden));
  EXPECT_EQ(tabs->HitTest(tabs->GetItemRect(hidden).center()), hidden);
  // Ctrl+Shift+Tab back onto a tab out of view (the row before the
  // selected one's is the last to show) shows it too.
  int fromHidden = 0;
  for (int i = 0; i < 30; ++i) {
    const int count = tabs->GetItemCount();
    if (!Shown((tabs->GetCurSel() + count - 1) % count)) ++fromHidden;
    frame->Router().Action(res::ID_PREV_TAB)->trigger();
    Settle();
    ASSERT_TRUE(Shown(tabs->GetCurSel())) << tabs->GetCurSel();
  }
  EXPECT_GT(fromHidden, 0);

  // The wheel over the strip scrolls the other rows; the selected tab stays.
  const int selected = tabs->GetCurSel();
  hidden = FirstHiddenTab();
  ASSERT_GE(hidden, 0);
  const QPointF at = tabs->GetItemRect(selected).center();
  for (int turn = 0; turn < tabs->GetRowCount() && !Shown(hidden); ++turn) {
    QWheelEvent wheel(at, tabs->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &wheel);
    EXPECT_TRUE(Shown(selected));
  }
  EXPECT_GT(tabs->GetRowScroll(), 0);
  EXPECT_TRUE(Shown(hidden));

  // The list button: its tooltip, and its menu of every document activating the one chosen.
  const QRect button = tabs->GetListButtonRect();
  ASSERT_FALSE(button.isEmpty());
  EXPECT_TRUE(tabs->rect().contains(button));
  QHelpEvent help(QEvent::ToolTip, button.center(), tabs->mapToGlobal(button.center()));
  QApplication::sendEvent(tabs, &help);
  EXPECT_EQ(QToolTip::text(), QString::fromUtf8("すべてのドキュメント"));
  QToolTip::hideText();

  QTest::mouseClick(tabs, Qt::LeftButton, {}, button.center());
  QMenu* menu = tabs->DocumentListMenu();
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 200);
  EXPECT_EQ(actions[41]->text(), QStringLiteral("f042.pl"));
  for (int i = 0; i < actions.size(); ++i) EXPECT_EQ(actions[i]->isChecked(), i == selected) << i;
  const int chosen = selected == 120 ? 121 : 120;
  actions[chosen]->trigger();
  menu->close();
  Settle();
  EXPECT_EQ(frame->MdiArea()->currentSubWindow(), tabs->GetTabWindow(chosen));
  EXPECT_EQ(tabs->GetCurSel(), chosen);
  EXPECT_TRUE(Shown(chosen));

  if (const QString shots = qEnvironmentVariable("CORVELLA_SHOT_DIR"); !shots.isEmpty()) {
    frame->grab().save(QDir(shots).filePath(QStringLiteral("doctabs-200.png")));
  }
  docs->CloseAll();
}
