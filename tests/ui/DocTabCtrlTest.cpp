// The document tab strip on a real QMdiArea: tab order and titles, activation, closing, wrap-around, layout, drags.
#include "controls/DocTabCtrl.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDir>
#include <QDragMoveEvent>
#include <QImage>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include "controls/MdiTabClient.h"

using namespace corvella;

namespace {

constexpr TabStyle kFrameStyle{.bottom = true, .hotTrack = true, .multiLine = true};

// A main frame that takes every drop, as the real one takes dropped files.
class DropFrame : public QMainWindow {
 public:
  DropFrame() { setAcceptDrops(true); }
  int moves = 0;

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override { e->acceptProposedAction(); }
  void dragMoveEvent(QDragMoveEvent* e) override {
    ++moves;
    e->acceptProposedAction();
  }
};

QIcon SolidIcon(Qt::GlobalColor colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(colour);
  return QIcon(pixmap);
}

class DocTabCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    area = new QMdiArea;
    frame.setCentralWidget(area);
    ASSERT_TRUE(client->Attach(&frame, kFrameStyle));
    tabs = client->Tabs();
    ASSERT_NE(tabs, nullptr);
    frame.resize(640, 400);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    Settle();
  }

  static void Settle() {
    for (int i = 0; i < 4; ++i) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();
    }
  }

  QMdiSubWindow* Add(const QString& title) {
    auto* document = new QWidget;
    document->setWindowTitle(title);
    QMdiSubWindow* window = area->addSubWindow(document);
    window->show();
    return window;
  }

  QMdiSubWindow* Open(const QString& title) {
    QMdiSubWindow* window = Add(title);
    Settle();
    return window;
  }

  QStringList Texts() const {
    QStringList texts;
    for (int i = 0; i < tabs->GetItemCount(); ++i) texts << tabs->GetItemText(i);
    return texts;
  }

  QPoint TabCentre(int tab) const { return tabs->GetItemRect(tab).center(); }

  // As the platform delivers it: a press, then the double click in place of the second press.
  void DoubleClick(int tab) {
    QTest::mouseClick(tabs, Qt::LeftButton, {}, TabCentre(tab));
    QTest::mouseDClick(tabs, Qt::LeftButton, {}, TabCentre(tab));
  }

  // The refresh a change asks for runs once the event loop does.
  bool SettledText(int tab, const QString& text) const {
    Settle();
    return tabs->GetItemText(tab) == text;
  }

  DropFrame frame;
  CMdiTabClient* client = new CMdiTabClient;  // becomes the frame's central widget
  QMdiArea* area = nullptr;
  CDocTabCtrl* tabs = nullptr;
};

}  // namespace

TEST_F(DocTabCtrlTest, TabsFollowOpeningOrderAndDocumentTitles) {
  EXPECT_EQ(tabs->GetItemCount(), 0);
  EXPECT_EQ(tabs->GetCurSel(), -1);

  QMdiSubWindow* a = Open(QStringLiteral("alpha.pl"));
  QMdiSubWindow* b = Open(QStringLiteral("スクリプト.pl[*]"));
  QMdiSubWindow* c = Open(QStringLiteral("same.pl"));
  EXPECT_EQ(Texts(), (QStringList{"alpha.pl", "スクリプト.pl", "same.pl"}));
  EXPECT_EQ(tabs->GetTabWindow(0), a);
  EXPECT_EQ(tabs->GetTabWindow(1), b);
  EXPECT_EQ(area->currentSubWindow(), c);
  EXPECT_EQ(tabs->GetCurSel(), 2);

  // Several windows opened before the event loop runs still line up in opening order.
  Add(QStringLiteral("テスト.pl"));
  Add(QStringLiteral("same.pl"));
  Settle();
  EXPECT_EQ(Texts(), (QStringList{"alpha.pl", "スクリプト.pl", "same.pl", "テスト.pl", "same.pl"}));
  EXPECT_EQ(tabs->GetCurSel(), 4);

  // A saved-as document: the tab follows at once.
  b->widget()->setWindowTitle(QStringLiteral("renamed & saved.pl"));
  EXPECT_TRUE(SettledText(1, QStringLiteral("renamed & saved.pl")));
  EXPECT_EQ(tabs->GetItemCount(), 5);

  EXPECT_EQ(CDocTabCtrl::StripTitlePlaceholder(QStringLiteral("a[*]b[*][*]c[*][*][*]")), QStringLiteral("ab[*]c[*]"));

  // A document title from the documents themselves wins over the caption unless empty.
  tabs->SetDocumentTitleFunction([a](const QMdiSubWindow* w) { return w == a ? QStringLiteral("doc.pl") : QString(); });
  EXPECT_EQ(tabs->GetTabTitle(a), QStringLiteral("doc.pl"));
  EXPECT_EQ(tabs->GetTabTitle(c), QStringLiteral("same.pl"));
  EXPECT_TRUE(SettledText(0, QStringLiteral("doc.pl")));

  if (const QString dir = qEnvironmentVariable("CORVELLA_SHOT_DIR"); !dir.isEmpty()) {
    area->tileSubWindows();
    area->setActiveSubWindow(b);
    Settle();
    client->grab().save(QDir(dir).filePath(QStringLiteral("doctabs.png")));
  }
}

// Every change a refresh compares reaches the strip as an event; while
// nothing changes nothing refreshes.
TEST_F(DocTabCtrlTest, TabsFollowWindowChangesAndNothingRefreshesWhileIdle) {
  QMdiSubWindow* a = Open(QStringLiteral("a.pl"));
  QMdiSubWindow* b = Open(QStringLiteral("b.pl[*]"));
  QMdiSubWindow* c = Open(QStringLiteral("c.pl"));
  a->widget()->setWindowTitle(QStringLiteral("renamed.pl"));
  b->setWindowTitle(QStringLiteral("b2.pl[*]"));
  b->setWindowModified(true);
  Settle();
  EXPECT_EQ(Texts(), (QStringList{"renamed.pl", "b2.pl", "c.pl"}));
  c->hide();
  Settle();
  EXPECT_EQ(Texts(), (QStringList{"renamed.pl", "b2.pl"}));
  c->show();
  b->close();
  Settle();
  EXPECT_EQ(Texts(), (QStringList{"renamed.pl", "c.pl"}));
  EXPECT_EQ(tabs->GetCurSel(), 1);

  int asked = 0;
  tabs->SetDocumentTitleFunction([&asked](const QMdiSubWindow*) {
    ++asked;
    return QString();
  });
  Settle();
  EXPECT_GT(asked, 0);
  asked = 0;
  QTest::qWait(700);
  EXPECT_EQ(asked, 0);
  for (const QTimer* timer : tabs->findChildren<QTimer*>()) EXPECT_FALSE(timer->isActive());
  EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(tabs).isEmpty());
  tabs->SetDocumentTitleFunction(nullptr);
}

TEST_F(DocTabCtrlTest, ClickingActivatesDoubleClickMaximisesAndRestores) {
  QMdiSubWindow* a = Open(QStringLiteral("a.pl"));
  QMdiSubWindow* b = Open(QStringLiteral("b.pl"));
  QMdiSubWindow* c = Open(QStringLiteral("c.pl"));
  ASSERT_EQ(area->currentSubWindow(), c);

  QTest::mouseClick(tabs, Qt::LeftButton, {}, TabCentre(0));
  Settle();
  EXPECT_EQ(area->currentSubWindow(), a);
  EXPECT_EQ(tabs->GetCurSel(), 0);
  // The strip never takes the focus from the documents.
  EXPECT_FALSE(tabs->hasFocus());

  // Activating a window elsewhere moves the selection with it.
  area->setActiveSubWindow(b);
  Settle();
  EXPECT_EQ(tabs->GetCurSel(), 1);

  ASSERT_FALSE(b->isMaximized());
  DoubleClick(1);
  Settle();
  EXPECT_TRUE(b->isMaximized());
  DoubleClick(1);
  Settle();
  EXPECT_FALSE(b->isMaximized());
  // Double-clicking another tab brings that document up maximised.
  DoubleClick(2);
  Settle();
  EXPECT_EQ(area->currentSubWindow(), c);
  EXPECT_TRUE(c->isMaximized());
}

TEST_F(DocTabCtrlTest, ClosingRemovesTabsAndNextPreviousWrapAround) {
  QMdiSubWindow* a = Open(QStringLiteral("a.pl"));
  QMdiSubWindow* b = Open(QStringLiteral("b.pl"));
  QMdiSubWindow* c = Open(QStringLiteral("c.pl"));
  ASSERT_EQ(tabs->GetCurFocus(), 2);

  tabs->FocusNextTab();
  EXPECT_EQ(tabs->GetCurSel(), 0);
  EXPECT_EQ(area->currentSubWindow(), a);
  tabs->FocusPreviousTab();
  EXPECT_EQ(tabs->GetCurSel(), 2);
  EXPECT_EQ(area->currentSubWindow(), c);
  tabs->FocusPreviousTab();
  EXPECT_EQ(area->currentSubWindow(), b);
  tabs->FocusNextTab();
  EXPECT_EQ(area->currentSubWindow(), c);
  Settle();
  EXPECT_EQ(tabs->GetCurSel(), 2);

  a->close();
  Settle();
  EXPECT_EQ(Texts(), (QStringList{"b.pl", "c.pl"}));
  EXPECT_EQ(tabs->GetTabWindow(0), b);
  EXPECT_EQ(tabs->GetCurSel(), 1);
  tabs->FocusNextTab();
  EXPECT_EQ(area->currentSubWindow(), b);

  // A window deleted outright loses its tab too.
  delete b;
  Settle();
  EXPECT_EQ(Texts(), (QStringList{"c.pl"}));
  // A hidden window loses its tab at the next refresh; shown again it goes to the end.
  QMdiSubWindow* d = Open(QStringLiteral("d.pl"));
  c->hide();
  tabs->Refresh(true);
  EXPECT_EQ(Texts(), (QStringList{"d.pl"}));
  c->show();
  tabs->Refresh(true);
  EXPECT_EQ(Texts(), (QStringList{"d.pl", "c.pl"}));

  c->close();
  d->close();
  Settle();
  EXPECT_EQ(tabs->GetItemCount(), 0);
  EXPECT_EQ(tabs->GetCurSel(), -1);
  tabs->FocusNextTab();  // nothing to wrap to
  tabs->FocusPreviousTab();
  EXPECT_EQ(tabs->GetCurSel(), -1);
}

TEST_F(DocTabCtrlTest, LayoutFramesTheDocumentsAndGivesThemEverythingWhenTheStripIsHidden) {
  const int border = tabs->Border();
  const QRect whole = client->rect();
  EXPECT_EQ(tabs->geometry(), whole);
  // No documents: no tabs, but the documents sit in the display area inside the frame.
  const QRect empty = area->geometry();
  EXPECT_GT(empty.left(), border);
  EXPECT_GT(empty.top(), border);
  EXPECT_LT(empty.right(), whole.right() - border);
  EXPECT_LT(empty.bottom(), whole.bottom() - border - 10);  // a row of tabs below

  Open(QStringLiteral("a.pl"));
  Open(QStringLiteral("b.pl"));
  const QRect withTabs = area->geometry();
  EXPECT_EQ(withTabs, empty);
  for (int i = 0; i < tabs->GetItemCount(); ++i) {
    const QRect tab = tabs->GetItemRect(i);
    EXPECT_GT(tab.top(), withTabs.bottom()) << i;
    EXPECT_LE(tab.bottom(), whole.bottom() - border) << i;
    EXPECT_GE(tab.left(), border) << i;
  }
  EXPECT_LT(tabs->GetItemRect(0).right(), tabs->GetItemRect(1).left());

  // The sunken frame: shadow on the top and left edges, light on the bottom and right.
  const QImage image = tabs->grab().toImage();
  const QPalette palette = tabs->palette();
  EXPECT_EQ(image.pixelColor(0, 40).rgb(), palette.color(QPalette::Dark).rgb());
  EXPECT_EQ(image.pixelColor(40, 0).rgb(), palette.color(QPalette::Dark).rgb());
  EXPECT_EQ(image.pixelColor(image.width() - 1, 40).rgb(), palette.color(QPalette::Light).rgb());
  EXPECT_EQ(image.pixelColor(40, image.height() - 1).rgb(), palette.color(QPalette::Light).rgb());
  EXPECT_EQ(image.pixelColor(3, 40).rgb(), palette.color(QPalette::Window).rgb());

  // Narrow: the tabs take several rows and the documents give up the height.
  Open(QStringLiteral("a rather long script name one.pl"));
  Open(QStringLiteral("a rather long script name two.pl"));
  frame.resize(260, 400);
  Settle();
  EXPECT_GT(tabs->GetRowCount(), 1);
  EXPECT_LT(area->geometry().height(), withTabs.height());
  EXPECT_LE(tabs->GetItemRect(3).right(), client->rect().right() - border);
  // The selected tab's row lies next to the documents.
  EXPECT_EQ(tabs->GetItemRect(tabs->GetCurSel()).top(), area->geometry().bottom() + 3);
  if (const QString dir = qEnvironmentVariable("CORVELLA_SHOT_DIR"); !dir.isEmpty()) {
    client->grab().save(QDir(dir).filePath(QStringLiteral("doctabs-rows.png")));
  }

  // Hiding the documents hides the strip; the documents then get everything.
  area->hide();
  EXPECT_TRUE(tabs->isHidden());
  client->RecalcLayout();
  EXPECT_EQ(area->geometry(), client->rect());
  area->show();
  EXPECT_FALSE(tabs->isHidden());
  Settle();
  tabs->Refresh(true);
  EXPECT_LT(area->geometry().height(), client->rect().height() - 2 * border);

  // Too little height for the border: an empty area, never a negative one.
  client->CalcWindowRect(QRect(0, 0, 300, 8));
  EXPECT_TRUE(area->geometry().isEmpty());
  EXPECT_GE(area->geometry().height(), 0);
  client->RecalcLayout();

}

TEST_F(DocTabCtrlTest, DragOverATabBringsItsDocumentUpAndIsNeverAccepted) {
  QMdiSubWindow* a = Open(QStringLiteral("a.pl"));
  Open(QStringLiteral("b.pl"));
  QMimeData data;
  data.setText(QStringLiteral("print 1;"));

  QDragEnterEvent enter(TabCentre(0), Qt::CopyAction, &data, Qt::LeftButton, {});
  QCoreApplication::sendEvent(tabs, &enter);
  QDragMoveEvent move(TabCentre(0), Qt::CopyAction, &data, Qt::LeftButton, {});
  move.acceptProposedAction();
  QCoreApplication::sendEvent(tabs, &move);
  EXPECT_FALSE(move.isAccepted());
  EXPECT_EQ(move.dropAction(), Qt::IgnoreAction);
  EXPECT_EQ(frame.moves, 0);  // not handed on to the frame either
  EXPECT_EQ(area->currentSubWindow(), a);
  Settle();
  EXPECT_EQ(tabs->GetCurSel(), 0);

  // Over the strip but off the tabs: nothing changes.
  QDragMoveEvent off(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, {});
  QCoreApplication::sendEvent(tabs, &off);
  EXPECT_FALSE(off.isAccepted());
  EXPECT_EQ(area->currentSubWindow(), a);
}

TEST_F(DocTabCtrlTest, IconsAreSharedInTheImageList) {
  const QIcon red = SolidIcon(Qt::red);
  QMdiSubWindow* a = Add(QStringLiteral("a.pl"));
  a->setWindowIcon(red);
  QMdiSubWindow* b = Add(QStringLiteral("b.pl"));
  b->setWindowIcon(red);
  QMdiSubWindow* c = Add(QStringLiteral("c.pl"));
  c->setWindowIcon(SolidIcon(Qt::blue));
  Settle();
  ASSERT_EQ(tabs->GetItemCount(), 3);
  EXPECT_EQ(tabs->GetItemImage(0), 0);
  EXPECT_EQ(tabs->GetItemImage(1), 0);
  EXPECT_EQ(tabs->GetItemImage(2), 1);
  EXPECT_EQ(tabs->GetImageCount(), 2);
  // Images are never removed.
  a->close();
  b->close();
  Settle();
  EXPECT_EQ(tabs->GetImageCount(), 2);
  EXPECT_EQ(tabs->GetItemImage(0), 1);
}

TEST(DocTabClient, AttachNeedsAnMdiFrameOnceAndDetachGivesTheAreaBack) {
  QMainWindow plain;
  plain.setCentralWidget(new QWidget);
  CMdiTabClient refused;
  EXPECT_FALSE(refused.Attach(&plain, kFrameStyle));
  EXPECT_FALSE(refused.Detach());
  EXPECT_EQ(refused.Tabs(), nullptr);

  QMainWindow frame;
  auto* area = new QMdiArea;
  area->addSubWindow(new QWidget)->setWindowTitle(QStringLiteral("existing.pl"));
  frame.setCentralWidget(area);
  auto* client = new CMdiTabClient;
  ASSERT_TRUE(client->Attach(&frame, kFrameStyle));
  EXPECT_FALSE(client->Attach(&frame, kFrameStyle));
  EXPECT_EQ(frame.centralWidget(), client);
  EXPECT_EQ(area->parentWidget(), client);
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  client->Tabs()->Refresh(true);
  EXPECT_EQ(client->Tabs()->GetItemText(0), QStringLiteral("existing.pl"));

  EXPECT_TRUE(client->Detach());
  EXPECT_EQ(client->Tabs(), nullptr);
  EXPECT_EQ(frame.centralWidget(), area);
  EXPECT_EQ(area->subWindowList().size(), 1);
  delete client;
}

// Single line: the tabs narrow as before, and once they do the list button ends the row.
TEST(DocTabClient, SingleLineOffersTheListButtonOnceTabsNarrow) {
  QMainWindow frame;
  auto* area = new QMdiArea;
  frame.setCentralWidget(area);
  auto* client = new CMdiTabClient;
  ASSERT_TRUE(client->Attach(&frame, {.bottom = true, .hotTrack = true, .multiLine = false}));
  frame.resize(400, 300);
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  CDocTabCtrl* tabs = client->Tabs();
  area->addSubWindow(new QWidget)->setWindowTitle(QStringLiteral("a.pl"));
  area->subWindowList().back()->show();
  tabs->Refresh(true);
  EXPECT_TRUE(tabs->GetListButtonRect().isEmpty());
  for (int i = 0; i < 30; ++i) {
    QMdiSubWindow* window = area->addSubWindow(new QWidget);
    window->setWindowTitle(QStringLiteral("script%1.pl").arg(i));
    window->show();
  }
  tabs->Refresh(true);
  ASSERT_EQ(tabs->GetItemCount(), 31);
  EXPECT_EQ(tabs->GetRowCount(), 1);
  const QRect button = tabs->GetListButtonRect();
  ASSERT_FALSE(button.isEmpty());
  for (int i = 0; i < tabs->GetItemCount(); ++i) {
    EXPECT_LT(tabs->GetItemRect(i).right(), button.left()) << i;
    EXPECT_EQ(tabs->HitTest(tabs->GetItemRect(i).center()), i) << i;
  }
  EXPECT_EQ(tabs->HitTest(button.center()), -1);
  tabs->ShowDocumentList();
  ASSERT_NE(tabs->DocumentListMenu(), nullptr);
  tabs->DocumentListMenu()->actions().at(3)->trigger();
  tabs->DocumentListMenu()->close();
  EXPECT_EQ(tabs->GetCurSel(), 3);
  EXPECT_EQ(area->currentSubWindow(), tabs->GetTabWindow(3));
}
