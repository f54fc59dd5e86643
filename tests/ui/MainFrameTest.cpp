// The main window with its documents: menus, frame commands, closing rules and the Settings written on close.
#include "app/MainFrame.h"

#include <algorithm>

#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMimeData>
#include <QHelpEvent>
#include <QScreen>
#include <QStatusBar>
#include <QToolTip>
#include <QTemporaryDir>
#include <QUrl>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/MainWindowTest.h"

#include "app/ChildFrame.h"
#include "app/DocManager.h"
#include "base/MessageBox.h"
#include "base/Profile.h"
#include "base/Settings.h"
#include "controls/DocTabCtrl.h"
#include "editor/MyView.h"
#include "res/resource.h"
#include "editor/MyDoc.h"

using namespace corvella;

namespace {

class MainFrameTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    profile.WriteProfileInt("Settings", "TabWidth", 6);
    CreateFrame();
  }
  QMenu* WindowMenu() const {
    for (QAction* a : frame->menuBar()->actions()) {
      if (a->menu() && a->menu()->actions().contains(frame->Router().Action(res::ID_WINDOW_CASCADE))) return a->menu();
    }
    return nullptr;
  }
  QStringList MenuTitles() const {
    QStringList titles;
    for (QAction* a : frame->menuBar()->actions()) titles << a->text();
    return titles;
  }
};

TEST_F(MainFrameTest, MenusFollowWhetherDocumentsAreOpen) {
  EXPECT_EQ(MenuTitles().size(), 4);  // file, view, command, help
  CMyDoc* doc = docs->OnFileNew();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), QStringLiteral("untitled1"));
  EXPECT_EQ(MenuTitles().size(), 9);
  EXPECT_EQ(docs->OnFileNew()->GetTitle(), QStringLiteral("untitled2"));
  EXPECT_TRUE(frame->ActiveChild()->isMaximized());
  EXPECT_EQ(frame->ActiveView()->TabWidth(), 6);  // taken from the Settings
  docs->CloseAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(docs->Documents().empty());
  EXPECT_EQ(MenuTitles().size(), 4);
  // With no document the document commands are greyed on the toolbar too.
  frame->Router().UpdateActions();
  for (const int id : {res::ID_EDIT_CUT, res::ID_EDIT_COPY, res::ID_EDIT_PASTE, res::ID_EDIT_UNDO,
                       res::ID_FILE_SAVE, res::ID_WINDOW_CASCADE, res::ID_WINDOW_TILE_HORZ}) {
    EXPECT_FALSE(frame->Router().Action(id)->isEnabled()) << id;
  }
  EXPECT_TRUE(frame->Router().Action(res::ID_FILE_NEW)->isEnabled());
}

// No timer refreshes the commands' state: what changes it (here a selection
// made by the program, a document closed) brings the refresh with the next
// turn of the event loop.
TEST_F(MainFrameTest, CommandStatesFollowChangesWithoutATimer) {
  frame->show();
  docs->OnFileNew();
  frame->ActiveView()->SetText("abc");
  const auto settle = [] {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  };
  settle();
  QAction* copy = frame->Router().Action(res::ID_EDIT_COPY);
  EXPECT_FALSE(copy->isEnabled());
  EXPECT_TRUE(frame->Router().Action(res::ID_FILE_SAVE)->isEnabled());
  frame->ActiveView()->SetSel(0, 2);
  settle();
  EXPECT_TRUE(copy->isEnabled());
  frame->ActiveView()->SetSel(1, 1);
  settle();
  EXPECT_FALSE(copy->isEnabled());
  answer = MsgResult::No;
  docs->CloseAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  settle();
  EXPECT_FALSE(frame->Router().Action(res::ID_FILE_SAVE)->isEnabled());
}

// The title names the active document maximised or not; with the last
// document gone the title and the status panes are as at the start.
TEST_F(MainFrameTest, TitleAndPanesFollowTheActiveDocument) {
  frame->show();
  const QString lineAtStart = frame->PaneText(res::ID_INDICATOR_LINE);
  const QString codeAtStart = frame->PaneText(res::ID_INDICATOR_KANJI);
  docs->OnFileNew();
  frame->ActiveView()->SetText("a\r\nb\r\nc");
  frame->ActiveView()->SetSel(6, 6);
  QCoreApplication::processEvents();
  frame->UpdatePanes();
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Corvella - [untitled1]"));
  EXPECT_NE(frame->PaneText(res::ID_INDICATOR_LINE), lineAtStart);
  frame->ActiveChild()->showNormal();
  QCoreApplication::processEvents();
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Corvella - untitled1"));
  answer = MsgResult::No;
  docs->CloseAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
  frame->UpdatePanes();
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Corvella"));
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_LINE), lineAtStart);
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_KANJI), codeAtStart);
}

// The tabs follow the documents' titles and their closing as soon as the
// event loop runs, with no timer of their own.
TEST_F(MainFrameTest, TabsFollowDocumentTitlesAndClosing) {
  frame->show();
  auto* tabs = frame->findChild<CDocTabCtrl*>();
  ASSERT_NE(tabs, nullptr);
  const auto texts = [tabs] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QStringList list;
    for (int i = 0; i < tabs->GetItemCount(); ++i) list << tabs->GetItemText(i);
    return list;
  };
  CMyDoc* one = docs->OnFileNew();
  CMyDoc* two = docs->OnFileNew();
  EXPECT_EQ(texts(), (QStringList{"untitled1", "untitled2"}));
  one->SetTitle(QStringLiteral("one.pl"));
  two->SetModifiedFlag(true);
  EXPECT_EQ(texts(), (QStringList{"one.pl", "untitled2"}));
  answer = MsgResult::No;
  frame->ActiveChild()->close();
  EXPECT_EQ(texts(), (QStringList{"one.pl"}));
  for (const QTimer* timer : tabs->findChildren<QTimer*>()) EXPECT_FALSE(timer->isActive());
}

// One above the other at full width, side by side at full height, and the
// minimised windows in a row along the bottom.
TEST_F(MainFrameTest, WindowCommandsArrangeTheDocumentWindows) {
  frame->show();
  for (int i = 0; i < 3; ++i) docs->OnFileNew();
  const QSize area = frame->MdiArea()->viewport()->size();
  const auto windows = [this] {
    QList<QRect> rects;
    for (QMdiSubWindow* w : frame->MdiArea()->subWindowList()) rects << w->geometry();
    std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) {
      return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
    });
    return rects;
  };
  frame->Router().Route(res::ID_WINDOW_TILE_HORZ);
  QList<QRect> rects = windows();
  ASSERT_EQ(rects.size(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rects[i].x(), 0);
    EXPECT_EQ(rects[i].width(), area.width());
    EXPECT_EQ(rects[i].top(), i == 0 ? 0 : rects[i - 1].bottom() + 1);
  }
  EXPECT_EQ(rects[2].bottom(), area.height() - 1);

  frame->Router().Route(res::ID_WINDOW_TILE_VERT);
  rects = windows();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rects[i].y(), 0);
    EXPECT_EQ(rects[i].height(), area.height());
    EXPECT_EQ(rects[i].left(), i == 0 ? 0 : rects[i - 1].right() + 1);
  }
  EXPECT_EQ(rects[2].right(), area.width() - 1);

  const QList<QMdiSubWindow*> subs = frame->MdiArea()->subWindowList();
  subs[0]->showMinimized();
  subs[1]->showMinimized();
  subs[0]->move(300, 40);
  frame->Router().Route(res::ID_WINDOW_ARRANGE);
  QList<QRect> icons{subs[0]->geometry(), subs[1]->geometry()};
  std::sort(icons.begin(), icons.end(), [](const QRect& a, const QRect& b) { return a.x() < b.x(); });
  EXPECT_EQ(icons[0].left(), 0);
  EXPECT_EQ(icons[1].left(), icons[0].right() + 1);
  for (const QRect& icon : icons) EXPECT_EQ(icon.bottom(), area.height() - 1);
  // Tiling now leaves the row of icons free.
  frame->Router().Route(res::ID_WINDOW_TILE_HORZ);
  EXPECT_EQ(subs[2]->geometry(), QRect(0, 0, area.width(), icons[0].top()));
}

// With no window manager to hand the activation back, shortcuts would stay
// dead after a dialog closes until the user clicks.
TEST_F(MainFrameTest, ClosingADialogActivatesTheMainWindowAgain) {
  frame->show();
  frame->activateWindow();
  QTest::qWait(50);
  ASSERT_EQ(QApplication::activeWindow(), frame.get());
  QDialog dialog(frame.get());
  QTimer::singleShot(50, &dialog, [&dialog] {
    ASSERT_EQ(QApplication::activeWindow(), &dialog);
    dialog.accept();
  });
  dialog.exec();
  QTest::qWait(100);
  EXPECT_EQ(QApplication::activeWindow(), frame.get());
}

TEST_F(MainFrameTest, ToggleCommandsChangeSettingsAndViews) {
  docs->OnFileNew();
  CMyView* view = frame->ActiveView();
  ASSERT_TRUE(frame->Router().Query(res::ID_VIEW_AUTO_INDENT).checked.value_or(false));
  frame->Router().Route(res::ID_VIEW_AUTO_INDENT);
  EXPECT_FALSE(frame->GetSettings().AutoIndent);
  EXPECT_FALSE(view->AutoIndent());
  frame->Router().Route(res::ID_VIEW_SYNTAX_COLOR);
  EXPECT_FALSE(frame->GetSettings().Stress);
  EXPECT_FALSE(view->Stress());
  frame->Router().Route(res::ID_COMMAND_USE_JPERL);
  EXPECT_EQ(frame->GetSettings().UsePerl, 1);
  EXPECT_TRUE(frame->Router().Query(res::ID_COMMAND_USE_JPERL).checked.value_or(false));
  // Edit commands reach the active view through the chain.
  view->SetText("abc");
  view->SetSel(0, 3);
  EXPECT_TRUE(frame->Router().Query(res::ID_EDIT_CUT).enabled);
  frame->Router().Route(res::ID_EDIT_CUT);
  EXPECT_EQ(view->Buffer().GetText(), "");
  frame->Router().Route(res::ID_EDIT_UNDO);
  EXPECT_EQ(view->Buffer().GetText(), "abc");
}

TEST_F(MainFrameTest, ClosingIsRefusedWhileRunningAndAsksAboutModifiedDocuments) {
  CMyDoc* doc = docs->OnFileNew();
  frame->ActiveView()->SetText("x");
  doc->SetModifiedFlag(true);
  frame->show();
  frame->Runner().SetRunning(true);
  EXPECT_FALSE(frame->close());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], QString::fromUtf8("実行中のスクリプトを停止してください。"));

  frame->Runner().SetRunning(false);
  answer = MsgResult::Cancel;
  EXPECT_FALSE(frame->close());
  EXPECT_EQ(messages.last(), QString::fromUtf8("untitled1 への変更を保存しますか?"));
  EXPECT_FALSE(profile.Read("Settings", "Colors").has_value());  // nothing written yet

  answer = MsgResult::No;
  frame->GetSettings().TabWidth = 9;
  EXPECT_TRUE(frame->close());
  EXPECT_EQ(profile.GetProfileInt("Settings", "TabWidth", 0), 9);
  EXPECT_EQ(profile.GetProfileString("Settings", "Colors"), "FF0000,0000C0,808000,FF00FF,008000");
  EXPECT_TRUE(profile.Read("Settings", "Font").has_value());
  EXPECT_TRUE(profile.Read("Settings", "WindowPos").has_value());
}

TEST_F(MainFrameTest, RecentFilesFillTheFileMenuAndDroppedFilesOpen) {
  QTemporaryDir dir;
  const QString a = dir.filePath("a.pl"), b = dir.filePath("b.pl"), c = dir.filePath("c.pl");
  for (const QString& path : {a, b, c}) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("print 1;\n");
  }
  ASSERT_NE(docs->OpenDocumentFile(a), nullptr);
  ASSERT_NE(docs->OpenDocumentFile(b), nullptr);
  EXPECT_EQ(docs->RecentFiles(), (QStringList{b, a}));
  EXPECT_EQ(docs->OpenDocumentFile(a), docs->Documents().front());  // already open: brought forward
  EXPECT_EQ(docs->Documents().size(), 2u);

  QMenu* file = frame->menuBar()->actions().first()->menu();
  ASSERT_NE(file, nullptr);
  emit file->aboutToShow();
  QStringList texts;
  for (QAction* action : file->actions()) {
    if (action->data().toInt() >= res::ID_FILE_MRU_FILE1 && action->data().toInt() < res::ID_FILE_MRU_FILE1 + 8) texts << action->text();
  }
  ASSERT_EQ(texts.size(), 2);
  EXPECT_TRUE(texts[0].startsWith("&1 ")) << texts[0].toStdString();
  EXPECT_TRUE(texts[1].endsWith("a.pl")) << texts[1].toStdString();

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(c)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame.get(), &drop);
  EXPECT_EQ(docs->Documents().size(), 3u);
  EXPECT_EQ(docs->RecentFiles().front(), c);

  // The Window menu lists the three documents, the active one checked.
  QMenu* window = WindowMenu();
  ASSERT_NE(window, nullptr);
  emit window->aboutToShow();
  QStringList listed;
  for (QAction* a : window->actions()) {
    if (a->isCheckable() && a->text().startsWith('&')) listed << a->text();
  }
  EXPECT_EQ(listed, (QStringList{"&1 a.pl", "&2 b.pl", "&3 c.pl"}));

  docs->SaveRecentFileList();
  EXPECT_EQ(profile.GetProfileString("Recent File List", "File1"), c.toStdString());
  EXPECT_EQ(profile.GetProfileString("Recent File List", "File3"), a.toStdString());
}

// Ctrl+F4 and Ctrl+W close the active document as 閉じる does, asking about its changes first.
TEST_F(MainFrameTest, CtrlF4AndCtrlWCloseTheActiveDocument) {
  CMyDoc* first = docs->OnFileNew();
  docs->OnFileNew();
  frame->show();
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  QTest::keyClicks(frame->ActiveView(), QStringLiteral("x"));
  answer = MsgResult::Cancel;
  QTest::keyClick(frame->ActiveView(), Qt::Key_F4, Qt::ControlModifier);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], QString::fromUtf8("untitled2 への変更を保存しますか?"));
  EXPECT_EQ(docs->Documents().size(), 2u);

  answer = MsgResult::No;
  QTest::keyClick(frame->ActiveView(), Qt::Key_F4, Qt::ControlModifier);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(docs->Documents().size(), 1u);
  EXPECT_EQ(docs->Documents().front(), first);
  ASSERT_NE(frame->ActiveView(), nullptr);
  QTest::keyClick(frame->ActiveView(), Qt::Key_W, Qt::ControlModifier);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(docs->Documents().empty());
  EXPECT_EQ(messages.size(), 2);  // the unchanged one closed without a question
}

// A hint longer than the message pane shows whole as the pane's tooltip; the other panes get none of it.
TEST_F(MainFrameTest, TheStatusMessageShowsWholeAsTheMessagePanesTooltip) {
  frame->resize(700, 300);
  frame->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  const std::string hint = "split /PATTERN/,EXPR,LIMIT - \x95\xb6\x8e\x9a\x97\xf1 " + std::string(200, 'x');
  frame->ShowHint(hint);
  QStatusBar* bar = frame->statusBar();
  const QString message = bar->currentMessage();
  ASSERT_TRUE(message.startsWith(QStringLiteral("split")));
  EXPECT_GT(bar->fontMetrics().horizontalAdvance(message), bar->width());
  const auto tipAt = [bar](int x) {
    QHelpEvent help(QEvent::ToolTip, QPoint(x, bar->height() / 2), bar->mapToGlobal(QPoint(x, bar->height() / 2)));
    QApplication::sendEvent(bar, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tipAt(bar->width() - 4), QString());
  EXPECT_EQ(tipAt(4), message);
}

TEST_F(MainFrameTest, CloseAllKeepsTheDocumentWhoseQuestionIsCancelled) {
  CMyDoc* first = docs->OnFileNew();
  docs->OnFileNew();
  first->Text().Buffer().SetText("changed");
  first->SetModifiedFlag(true);
  answer = MsgResult::Cancel;
  docs->CloseAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(docs->Documents().size(), 1u);
  EXPECT_EQ(docs->Documents().front(), first);
}

// Close All builds the menu bar anew, and the window list's items go with
// the old one; the next Window menu lists the new document alone.
TEST_F(MainFrameTest, TheWindowMenuOpensAgainAfterCloseAll) {
  for (int round = 1; round <= 3; ++round) {
    docs->OnFileNew();
    QMenu* window = WindowMenu();
    ASSERT_NE(window, nullptr);
    emit window->aboutToShow();
    QStringList listed;
    for (QAction* a : window->actions()) {
      if (a->isCheckable() && a->text().startsWith('&')) listed << a->text();
    }
    EXPECT_EQ(listed, QStringList{QStringLiteral("&1 untitled%1").arg(round)});
    docs->CloseAll();
    // The document windows go, then the menu bar they leave behind.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// A stored placement far beyond every screen opens the window on the
// screen, no larger than it.
TEST_F(MainFrameTest, AStoredPlacementOffTheScreensIsBroughtBack) {
  profile.WriteProfileString("Settings", "WindowPos", "1,-99999,-99999,99999,99999");
  frame->show();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect outside = frame->frameGeometry();
  EXPECT_TRUE(screen.contains(outside)) << outside.x() << "," << outside.y() << " " << outside.width() << "x"
                                        << outside.height();
  frame->close();
  // What is stored keeps its form.
  const std::optional<WindowPlacement> stored = ParseWindowPos(profile.GetProfileString("Settings", "WindowPos"));
  ASSERT_TRUE(stored.has_value());
  EXPECT_TRUE(screen.contains(QRect(QPoint(stored->left, stored->top), QPoint(stored->right - 1, stored->bottom - 1))));
}

// A Perl folder from the settings file counts only when it is absolute and
// holds perl: a relative one names a folder that depends on where the editor
// was started. The user is told once, as the folder is then stored empty.
TEST_F(MainFrameTest, APerlFolderThatIsRelativeOrHoldsNoPerlIsNone) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("bin")) && QDir(dir.path()).mkpath(QStringLiteral("etc")));
  const QString bin = dir.filePath(QStringLiteral("bin"));
  QFile perl(bin + QStringLiteral("/perl"));
  ASSERT_TRUE(perl.open(QIODevice::WriteOnly));
  perl.write("#!/bin/sh\n");
  perl.close();
  perl.setPermissions(perl.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
  const auto start = [this](const QString& stored) {
    docs.reset();
    frame.reset();
    messages.clear();
    profile.WriteProfileString("Settings", "Perl", stored.toStdString());
    CreateFrame();
    frame->Router().UpdateActions();
  };

  for (const QString& stored : {QDir::current().relativeFilePath(bin), dir.filePath(QStringLiteral("etc"))}) {
    start(stored);
    EXPECT_TRUE(frame->GetSettings().m_szPerlDir.empty()) << stored.toStdString();
    EXPECT_FALSE(frame->Router().Action(res::ID_COMMAND_VERSION)->isEnabled());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("'%1'").arg(stored))) << messages[0].toStdString();
    frame->show();
    ASSERT_TRUE(frame->close());
    EXPECT_EQ(profile.GetProfileString("Settings", "Perl"), "");
  }

  start(bin);
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(frame->GetSettings().m_szPerlDir, QFileInfo(bin).canonicalFilePath().toStdString());
  EXPECT_TRUE(frame->Router().Action(res::ID_COMMAND_VERSION)->isEnabled());
}

}  // namespace
