// The menu, context-menu, toolbar and accelerator builders on real actions, offscreen.
#include "app/CommandUi.h"

#include <map>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include "res/DebuggerStrings.h"
#include "res/Strings.h"
#include "res/resource.h"

using namespace corvella;
using namespace corvella::res;

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

// Stands in for the frame: one action per id, made on first request.
struct Frame {
  QMainWindow window;
  std::map<int, QAction*> actions;
  ActionLookup lookup = [this](int id) {
    QAction*& action = actions[id];
    if (!action) {
      action = new QAction(&window);
      action->setData(id);
    }
    return action;
  };
};

QList<int> ItemIds(const QMenu* menu) {
  QList<int> ids;
  for (const QAction* a : menu->actions()) ids << (a->isSeparator() ? 0 : a->menu() ? -1 : a->data().toInt());
  return ids;
}

TEST(CommandUi, MenuBarPopupsAndActionTexts) {
  Frame frame;
  const QList<QMenu*> popups = BuildMenuBar(frame.window.menuBar(), IDR_PLUMOTYPE, frame.lookup);
  QStringList titles;
  for (const QMenu* m : popups) titles << m->title();
  EXPECT_EQ(titles, (QStringList{U(str::kFileMenuCaption), U(str::kEditMenuCaption), U(str::kViewMenuCaption),
                                 U(str::kCommandMenuCaption), U(str::kDebuggerMenuCaption), U(str::kTemplateMenuCaption),
                                 U(str::kMacroMenuCaption), U(str::kWindowMenuCaption), U(str::kHelpMenuCaption)}));
  ASSERT_EQ(frame.window.menuBar()->actions().size(), 9);

  QAction* undo = frame.actions.at(ID_EDIT_UNDO);
  EXPECT_EQ(undo->text(), U("元に戻す(&U)\tCtrl+Z"));
  EXPECT_EQ(undo->statusTip(), U("直前に行った動作を元に戻す"));
  EXPECT_EQ(undo->toolTip(), U("元に戻す (Ctrl+Z)"));
  EXPECT_EQ(frame.actions.at(ID_EDIT_CLEAR)->text(), U("削除(&D)\tDel"));
  EXPECT_EQ(frame.actions.at(ID_FILE_CLOSE)->text(), U("閉じる(&C)"));
  EXPECT_EQ(ItemIds(popups[1]).mid(0, 4), (QList<int>{ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_CUT}));

  // The debug sub-menu holds the frame's own actions.
  const QMenu* command = popups[3];
  ASSERT_EQ(command->actions().size(), 17);
  const QMenu* debug = command->actions()[6]->menu();
  ASSERT_NE(debug, nullptr);
  EXPECT_EQ(debug->title(), U(str::kDebugMenuCaption));
  EXPECT_EQ(debug->actions(), (QList<QAction*>{frame.actions.at(ID_COMMAND_DEBUG_RUN),
                                               frame.actions.at(ID_COMMAND_DEBUG_RUN_ARGS)}));

  // Switching to the menu without documents drops the old popups.
  QPointer<QMenu> oldFile = popups[0];
  const QList<QMenu*> bare = BuildMenuBar(frame.window.menuBar(), IDR_MAINFRAME, frame.lookup);
  EXPECT_EQ(bare.size(), 4);
  EXPECT_EQ(frame.window.menuBar()->actions().size(), 4);
  EXPECT_EQ(bare[0]->actions().size(), 8);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(oldFile.isNull());
  EXPECT_EQ(frame.actions.at(ID_FILE_NEW)->text(), U("新規作成(&N)\tCtrl+N"));
}

TEST(CommandUi, ContextMenuStandInsForwardAndFollow) {
  Frame frame;
  QMenu* menu = BuildContextMenu(&frame.window, frame.lookup);
  ASSERT_EQ(menu->actions().size(), 22);
  QAction* undoItem = menu->actions()[0];
  EXPECT_EQ(undoItem->text(), U("元に戻す(&U)"));  // no shortcut text
  EXPECT_EQ(undoItem->statusTip(), U("直前に行った動作を元に戻す"));
  EXPECT_EQ(undoItem->data().toInt(), ID_EDIT_UNDO);
  EXPECT_EQ(frame.actions.at(ID_EDIT_UNDO)->text(), U("元に戻す(&U)\tCtrl+Z"));

  QAction* run = frame.actions.at(ID_COMMAND_RUN);
  QAction* runItem = menu->actions()[10];
  ASSERT_EQ(runItem->data().toInt(), ID_COMMAND_RUN);
  QSignalSpy ran(run, &QAction::triggered);
  runItem->trigger();
  EXPECT_EQ(ran.count(), 1);
  run->setEnabled(false);
  EXPECT_FALSE(runItem->isEnabled());
  runItem->trigger();
  EXPECT_EQ(ran.count(), 1);
  run->setEnabled(true);
  EXPECT_TRUE(runItem->isEnabled());

  // A checked command stays as its action says, whichever way it is chosen.
  QAction* stop = frame.actions.at(ID_COMMAND_STOP);
  stop->setCheckable(true);
  stop->setChecked(true);
  QAction* stopItem = menu->actions()[14];
  ASSERT_EQ(stopItem->data().toInt(), ID_COMMAND_STOP);
  EXPECT_TRUE(stopItem->isChecked());
  QObject::connect(stop, &QAction::triggered, stop, [stop] { stop->setChecked(true); });
  stopItem->trigger();
  EXPECT_TRUE(stopItem->isChecked());

  const QMenu* warn = menu->actions()[17]->menu();
  ASSERT_NE(warn, nullptr);
  EXPECT_EQ(warn->title(), U(str::kWarnCheckMenuCaption));
  ASSERT_EQ(warn->actions().size(), 2);
  EXPECT_EQ(warn->actions()[0]->text(), U("実行(&R)"));
  EXPECT_EQ(menu->actions()[18]->data().toInt(), ID_COMMAND_SYNTAX_CHECK);
}

TEST(CommandUi, ToolbarButtonsAndImages) {
  Frame frame;
  QToolBar* bar = frame.window.addToolBar(QStringLiteral("toolbar"));
  BuildToolBar(bar, frame.lookup);
  EXPECT_EQ(bar->iconSize(), QSize(16, 15));
  int buttons = 0;
  int separators = 0;
  QList<int> order;
  QList<QImage> images;
  for (QAction* a : bar->actions()) {
    if (a->isSeparator()) {
      ++separators;
      order << 0;
      continue;
    }
    ++buttons;
    order << a->data().toInt();
    const QImage image = a->icon().pixmap(QSize(16, 15)).toImage();
    ASSERT_EQ(image.size(), QSize(16, 15)) << a->data().toInt();
    EXPECT_FALSE(images.contains(image)) << a->data().toInt();  // every picture its own
    images << image;
    EXPECT_FALSE(a->isIconVisibleInMenu());
  }
  EXPECT_EQ(buttons, 26);
  EXPECT_EQ(separators, 7);
  EXPECT_EQ(order, QList<int>(ToolbarButtons().begin(), ToolbarButtons().end()));
  EXPECT_EQ(frame.actions.at(ID_COMMAND_BROWSER)->toolTip(), U("出力を WWW ブラウザへ"));
  EXPECT_TRUE(ToolbarIcon(ID_FILE_CLOSE).isNull());

  // A picture is drawn, not left empty: some pixels are opaque, some are not.
  for (const QImage& image : images) {
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 20);
    EXPECT_LT(opaque, 16 * 15);
  }
}

TEST(CommandUi, AcceleratorsWorkFromTheWindow) {
  Frame frame;
  InstallAccelerators(&frame.window, frame.lookup);
  QAction* undo = frame.actions.at(ID_EDIT_UNDO);
  EXPECT_EQ(undo->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z),
                                                    QKeySequence(Qt::ALT | Qt::Key_Backspace)}));
  EXPECT_EQ(frame.actions.at(ID_EDIT_CTRL_SHIFT_DELETE)->shortcut(),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
  EXPECT_EQ(frame.actions.at(ID_PREV_TAB)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_PageUp));
  for (const Accelerator& a : AcceleratorTable()) EXPECT_FALSE(KeySequenceOf(a).isEmpty()) << a.id;

  // Commands in no menu at all still get their keys.
  frame.window.resize(300, 200);
  frame.window.show();
  frame.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame.window));
  QSignalSpy focus(frame.actions.at(ID_SWITCH_FOCUS), &QAction::triggered);
  QSignalSpy undone(undo, &QAction::triggered);
  QSignalSpy ran(frame.actions.at(ID_COMMAND_RUN), &QAction::triggered);
  QTest::keyClick(&frame.window, Qt::Key_T, Qt::ControlModifier);
  QTest::keyClick(&frame.window, Qt::Key_Backspace, Qt::AltModifier);
  QTest::keyClick(&frame.window, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(&frame.window, Qt::Key_F7);
  EXPECT_EQ(focus.count(), 1);
  EXPECT_EQ(undone.count(), 2);
  EXPECT_EQ(ran.count(), 1);
}

}  // namespace
