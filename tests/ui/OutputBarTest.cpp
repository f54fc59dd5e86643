// The output pane in the main window: showing and hiding, focus, read-only text, copying, its sizes and the saved layout.
#include "app/OutputBar.h"

#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QFontDialog>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include "app/DocManager.h"
#include "app/DockLayout.h"
#include "app/MainFrame.h"
#include "base/MessageBox.h"
#include "base/Responders.h"
#include "base/Profile.h"
#include "controls/CJColorPicker.h"
#include "controls/ColorFontDlg.h"
#include "document/EditBuffer.h"
#include "editor/EditControl.h"
#include "editor/MyView.h"
#include "res/resource.h"

using namespace corvella;

namespace {

class OutputBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Closing never waits on a question about the documents the tests changed.
    responders.SetMessage([](const QString&, MsgIcon, MsgButtons) { return MsgResult::No; });
  }
  void Start() {
    frame = std::make_unique<CMainFrame>(profile, nullptr);
    responders.Serve(frame.get());
    docs = std::make_unique<DocManager>(*frame, profile);
    frame->SetAppTarget(docs.get());
    ASSERT_TRUE(frame->Create());
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    QTest::qWait(20);
  }
  void Stop() {
    frame->close();
    docs.reset();
    frame.reset();
  }
  void TearDown() override {
    if (frame) Stop();
  }
  COutputBar& Pane() { return *frame->OutputBar(); }
  // Lets posted layout work run, as the event loop would between user actions.
  static void Settle() {
    for (int i = 0; i < 4; ++i) {
      QCoreApplication::processEvents();
      QTest::qWait(5);
    }
  }

  MemoryProfile profile;
  Responders responders;
  std::unique_ptr<CMainFrame> frame;
  std::unique_ptr<DocManager> docs;
};

TEST_F(OutputBarTest, InsideModeShowsThePaneAndTheCommandTogglesIt) {
  Start();
  EXPECT_FALSE(Pane().isVisible());  // InsideMode is off in an empty profile
  EXPECT_EQ(Pane().windowTitle(), QStringLiteral("アウトプット ウィンドウ"));
  EXPECT_EQ(frame->dockWidgetArea(&Pane()), Qt::BottomDockWidgetArea);
  frame->Router().Route(res::ID_COMMAND_INSIDE_MODE);
  EXPECT_TRUE(Pane().isVisible());
  EXPECT_TRUE(frame->GetSettings().InsideMode);
  EXPECT_TRUE(frame->Router().Query(res::ID_COMMAND_INSIDE_MODE).checked.value_or(false));
  frame->Router().Route(res::ID_COMMAND_INSIDE_MODE);
  EXPECT_FALSE(Pane().isVisible());
  EXPECT_FALSE(frame->Router().Query(res::ID_COMMAND_INSIDE_MODE).checked.value_or(true));
  Stop();
  profile.WriteProfileInt("Settings", "InsideMode", 1);
  Start();
  EXPECT_TRUE(Pane().isVisible());
}

TEST_F(OutputBarTest, FocusSwitchGoesIntoTheTextAndBack) {
  profile.WriteProfileInt("Settings", "InsideMode", 1);
  Start();
  docs->OnFileNew();
  CMyView* view = frame->ActiveView();
  view->setFocus();
  Settle();
  ASSERT_EQ(QApplication::focusWidget(), view);
  frame->Router().Route(res::ID_SWITCH_FOCUS);
  EXPECT_EQ(QApplication::focusWidget(), &Pane().Edit());
  frame->Router().Route(res::ID_SWITCH_FOCUS);
  EXPECT_EQ(QApplication::focusWidget(), view);
  // Focus given to the bar itself goes on into the text.
  Pane().setFocus();
  EXPECT_EQ(QApplication::focusWidget(), &Pane().Edit());

  // With the pane hidden the switch does nothing.
  view->setFocus();
  frame->Router().Route(res::ID_COMMAND_INSIDE_MODE);
  frame->Router().Route(res::ID_SWITCH_FOCUS);
  EXPECT_EQ(QApplication::focusWidget(), view);

  // From the pane after the last view has gone: nothing either.
  frame->Router().Route(res::ID_COMMAND_INSIDE_MODE);
  Pane().setFocus();
  docs->CloseAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(frame->LastView(), nullptr);
  Pane().setFocus();
  frame->Router().Route(res::ID_SWITCH_FOCUS);
  EXPECT_EQ(QApplication::focusWidget(), &Pane().Edit());
}

TEST_F(OutputBarTest, TextIsReadOnlyButSelectableAndCopied) {
  profile.WriteProfileInt("Settings", "InsideMode", 1);
  Start();
  docs->OnFileNew();
  CMyView* view = frame->ActiveView();
  view->SetText("document text");
  view->SelectAll();

  Pane().SetOutputText("first\r\n");
  Pane().AppendOutput("second\r\nthird");
  EditBuffer& text = Pane().Edit().Buffer();
  EXPECT_EQ(text.GetText(), "first\r\nsecond\r\nthird");
  EXPECT_EQ(text.GetSel().caret, text.GetTextLength());
  EXPECT_EQ(text.GetLimitText(), 0x3FFFFFFEu);
  Pane().SetOutputText("new run\r\n");
  EXPECT_EQ(text.GetText(), "new run\r\n");

  Pane().setFocus();
  QTest::keyClicks(&Pane().Edit(), "typed");
  QTest::keyClick(&Pane().Edit(), Qt::Key_Backspace);
  QTest::keyClick(&Pane().Edit(), Qt::Key_Return);
  EXPECT_EQ(text.GetText(), "new run\r\n");
  EXPECT_FALSE(frame->Router().Query(res::ID_EDIT_PASTE).enabled);
  EXPECT_FALSE(frame->Router().Query(res::ID_EDIT_CUT).enabled);
  EXPECT_FALSE(frame->Router().Query(res::ID_EDIT_COPY).enabled);  // nothing selected yet

  // Copy and select all act on the pane's text while it has the focus, not on the document's.
  frame->Router().Route(res::ID_EDIT_SELECT_ALL);
  ASSERT_TRUE(frame->Router().Query(res::ID_EDIT_COPY).enabled);
  frame->Router().Route(res::ID_EDIT_COPY);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("new run\n"));
  frame->Router().Route(res::ID_EDIT_PASTE);
  EXPECT_EQ(text.GetText(), "new run\r\n");
  EXPECT_EQ(view->Buffer().GetText(), "document text");
}

// Answers the next modal font dialog: a 20-point font and a red keyword colour, then OK or Cancel.
void AnswerFontDialog(bool ok) {
  QTimer::singleShot(0, [ok] {
    auto* dlg = qobject_cast<CColorFontDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    QFont font = dlg->SelectedFont();
    font.setPointSize(20);
    dlg->FontChooser()->setCurrentFont(font);
    dlg->Picker(1027)->SetColor(0x0000FF);
    if (ok) dlg->accept();
    else dlg->reject();
  });
}

TEST_F(OutputBarTest, FontFollowsTheFontDialogWithOnePixelMargins) {
  Start();
  docs->OnFileNew();
  EXPECT_EQ(Pane().Edit().EditorFont().family(), frame->EditorFont().family());
  EXPECT_EQ(Pane().Edit().FormattingRect().left(), 1);
  const ColorRef keyword = frame->GetSettings().colors[kColorKeyword];
  const int points = frame->EditorFont().pointSize();
  ASSERT_NE(points, 20);

  AnswerFontDialog(false);
  frame->Router().Route(res::ID_VIEW_FONT);
  EXPECT_EQ(frame->EditorFont().pointSize(), points);
  EXPECT_EQ(frame->GetSettings().colors[kColorKeyword], keyword);

  AnswerFontDialog(true);
  frame->Router().Route(res::ID_VIEW_FONT);
  EXPECT_EQ(frame->EditorFont().pointSize(), 20);
  EXPECT_EQ(frame->GetSettings().colors[kColorKeyword], 0x0000FFu);
  EXPECT_EQ(Pane().Edit().EditorFont().pointSize(), 20);
  EXPECT_EQ(Pane().Edit().FormattingRect().left(), 1);
  EXPECT_EQ(frame->ActiveView()->EditorFont().pointSize(), 20);
  EXPECT_EQ(frame->ActiveView()->Colors().keyword, QColor(255, 0, 0));
}

TEST_F(OutputBarTest, GripperFloatsAndCloseButtonHidesOnlyWhenReleasedOnIt) {
  profile.WriteProfileInt("Settings", "InsideMode", 1);
  Start();
  Settle();
  QWidget* title = Pane().TitleArea();
  const QRect close = Pane().CloseButtonRect();
  ASSERT_TRUE(Pane().HasGripper());
  ASSERT_TRUE(title->rect().contains(close)) << close.x() << "," << close.y();
  // Pressed on the button, released away from it: the pane stays.
  QTest::mousePress(title, Qt::LeftButton, {}, close.center());
  QTest::mouseMove(title, close.center() + QPoint(0, 40));
  QTest::mouseRelease(title, Qt::LeftButton, {}, close.center() + QPoint(0, 40));
  EXPECT_TRUE(Pane().isVisible());
  // A double-click on the gripper floats the bar; one on the floating title docks it again.
  QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(title->width() / 2, title->height() - 10));
  Settle();
  ASSERT_TRUE(Pane().isFloating());
  EXPECT_FALSE(Pane().HasGripper());
  QTest::mouseDClick(Pane().TitleArea(), Qt::LeftButton, {}, QPoint(10, 5));
  Settle();
  ASSERT_FALSE(Pane().isFloating());
  EXPECT_EQ(frame->dockWidgetArea(&Pane()), Qt::BottomDockWidgetArea);

  QTest::mouseClick(title, Qt::LeftButton, {}, Pane().CloseButtonRect().center());
  EXPECT_FALSE(Pane().isVisible());
  EXPECT_TRUE(frame->GetSettings().InsideMode);  // the setting is the command's, not the button's
}

TEST_F(OutputBarTest, SizesSurviveFloatingRedockingAndARestart) {
  profile.WriteProfileInt("Settings", "InsideMode", 1);
  profile.WriteProfileInt("Bars2005-SCBar-131", "sizeHorzCY", 150);
  profile.WriteProfileInt("Bars2005-SCBar-131", "sizeVertCX", 10);  // raised to the minimum
  Start();
  Settle();
  EXPECT_EQ(Pane().height(), 150);
  EXPECT_EQ(Pane().Sizes().sizeVert.cx, 33);

  Pane().setFloating(true);
  Settle();
  EXPECT_FALSE(Pane().HasGripper());
  EXPECT_EQ(Pane().size(), QSize(200, 200));
  Pane().resize(300, 120);
  Settle();
  Pane().setFloating(false);
  Settle();
  EXPECT_TRUE(Pane().HasGripper());
  EXPECT_EQ(Pane().height(), 150);
  EXPECT_EQ(Pane().Sizes().sizeFloat, (BarSize{300, 120}));

  frame->addDockWidget(Qt::LeftDockWidgetArea, &Pane());
  Settle();
  EXPECT_EQ(Pane().DockBarId(), kDockBarLeft);
  frame->resizeDocks({&Pane()}, {180}, Qt::Horizontal);
  Settle();
  EXPECT_EQ(Pane().width(), 180);
  Stop();

  EXPECT_EQ(profile.GetProfileInt("Bars2005-SCBar-131", "sizeVertCX", 0), 180);
  EXPECT_EQ(profile.GetProfileInt("Bars2005-SCBar-131", "sizeHorzCY", 0), 150);
  Start();
  Settle();
  EXPECT_EQ(frame->dockWidgetArea(&Pane()), Qt::LeftDockWidgetArea);
  EXPECT_EQ(Pane().width(), 180);
}

TEST_F(OutputBarTest, ALayoutNamingAnUnknownBarIsIgnored) {
  profile.WriteProfileInt("Settings", "InsideMode", 1);
  Start();
  frame->addDockWidget(Qt::RightDockWidgetArea, &Pane());
  Settle();
  Stop();
  ASSERT_TRUE(LoadDockLayout(profile, "Bars2005"));
  EXPECT_EQ(LoadDockLayout(profile, "Bars2005")->barIds, (std::vector<int>{res::AFX_IDW_TOOLBAR, 131}));

  // The same layout, but naming a bar this frame does not have: default places.
  DockLayout layout = *LoadDockLayout(profile, "Bars2005");
  layout.barIds.push_back(140);
  SaveDockLayout(profile, "Bars2005", layout);
  profile.WriteProfileInt("Bars2005-SCBar-131", "sizeHorzCY", 90);
  Start();
  Settle();
  EXPECT_EQ(frame->dockWidgetArea(&Pane()), Qt::BottomDockWidgetArea);
  EXPECT_EQ(Pane().Sizes().sizeHorz.cy, 200);  // the sizes are passed over with it
  Stop();

  // A damaged layout text does no harm either.
  SaveDockLayout(profile, "Bars2005", {{131}, "not a layout"});
  Start();
  EXPECT_EQ(frame->dockWidgetArea(&Pane()), Qt::BottomDockWidgetArea);
  EXPECT_TRUE(Pane().isVisible());
}

}  // namespace
