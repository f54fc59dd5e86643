// Typing into a script view inside the main frame: automatic indentation, the "}" outdent and the input hints in the status bar.
#include "editor/MyView.h"

#include <fstream>

#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "support/MainWindowTest.h"

#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "base/MessageBox.h"
#include "base/Profile.h"

using namespace corvella;

namespace {

class ScriptViewTypingTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    answer = MsgResult::Ok;
    CreateFrame();
    ASSERT_NE(docs->OnFileNew(), nullptr);
    view = frame->ActiveView();
    ASSERT_NE(view, nullptr);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  }
  // A text with the caret at its end, nothing painted yet.
  void Start(const std::string& text) {
    view->OnInitialUpdate(text);
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(view, key, mods); }
  std::string Text() const { return view->Buffer().GetText(); }
  QString Message() const { return frame->statusBar()->currentMessage(); }

  CMyView* view = nullptr;
};

TEST_F(ScriptViewTypingTest, EnterIndentsAndABraceRightAfterMovesBack) {
  EXPECT_TRUE(messages.isEmpty());  // the shipped hint file is beside the program
  Key(Qt::Key_Tab);
  QTest::keyClicks(view, "if ($x) {");
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "\tif ($x) {\r\n\t\t");
  QTest::keyClicks(view, "}");
  EXPECT_EQ(Text(), "\tif ($x) {\r\n\t}");
  EXPECT_EQ(view->Buffer().GetSel().caret, Text().size());

  Start("\tfoo {");
  view->SetSel(0, 0);
  Key(Qt::Key_Return);  // at the line start: nothing to continue
  EXPECT_EQ(Text(), "\r\n\tfoo {");

  Start("    x;");
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "    x;\r\n\t");

  Start("\tfoo { # open");
  Key(Qt::Key_Return);  // a comment line keeps the indentation only
  EXPECT_EQ(Text(), "\tfoo { # open\r\n\t");

  Start("print 1;   ");
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "print 1;   \r\n");
}

// Enter reads whether the line holds a comment as it is now, whether or not
// it was painted since it changed.
TEST_F(ScriptViewTypingTest, EnterSeesACommentTypedOrRemovedJustBefore) {
  Start("");
  QTest::keyClicks(view, "# x");
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "# x\r\n");

  Start("");
  QTest::keyClicks(view, "if (1) { # c");
  (void)view->viewport()->grab();  // painted while it held the comment
  for (int i = 0; i < 4; ++i) Key(Qt::Key_Backspace);
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "if (1) {\r\n\t");
}

TEST_F(ScriptViewTypingTest, BraceStaysAfterAnArrowKeyAClickOrWithAutoIndentOff) {
  Start("\tif (1) {");
  Key(Qt::Key_Return);
  Key(Qt::Key_Left);
  Key(Qt::Key_Right);
  QTest::keyClicks(view, "}");
  EXPECT_EQ(Text(), "\tif (1) {\r\n\t\t}");

  Start("\tif (1) {");
  Key(Qt::Key_Return);
  const std::size_t caret = view->Buffer().GetSel().caret;
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    view->PosFromChar(caret) + QPoint(1, view->LineHeight() / 2));
  EXPECT_EQ(view->Buffer().GetSel().caret, caret);
  QTest::keyClicks(view, "}");
  EXPECT_EQ(Text(), "\tif (1) {\r\n\t\t}");

  // Another character in between breaks the link too.
  Start("\tif (1) {");
  Key(Qt::Key_Return);
  QTest::keyClicks(view, " }");
  EXPECT_EQ(Text(), "\tif (1) {\r\n\t\t }");

  frame->GetSettings().AutoIndent = false;
  frame->UpdateAllViews(CMainFrame::ViewUpdate::AutoIndent);
  Start("\tif (1) {");
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "\tif (1) {\r\n");
  QTest::keyClicks(view, "}");
  EXPECT_EQ(Text(), "\tif (1) {\r\n}");
}

TEST_F(ScriptViewTypingTest, UndoTakesTheIndentThenTheLineBreak) {
  Start("\tif ($x) {");
  Key(Qt::Key_Return);
  ASSERT_EQ(Text(), "\tif ($x) {\r\n\t\t");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "\tif ($x) {\r\n");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "\tif ($x) {");
  EXPECT_FALSE(view->CanUndo());
  Key(Qt::Key_Y, Qt::ControlModifier);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Text(), "\tif ($x) {\r\n\t\t");
}

TEST_F(ScriptViewTypingTest, LettersShowTheHintOfTheWordBeforeTheCaret) {
  EXPECT_FALSE(frame->FindHint("print").empty());  // from the shipped file

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("hint.txt"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("print#:print LIST\r\nopen#:open FH, EXPR\n");
  file.close();
  frame->LoadHints(QFile::encodeName(path).toStdString());
  EXPECT_TRUE(messages.isEmpty());

  Start("");
  QTest::keyClicks(view, "prin");
  EXPECT_EQ(Message(), QStringLiteral("レディ"));
  QTest::keyClicks(view, "t");
  EXPECT_EQ(Message(), QStringLiteral("print LIST"));  // the CR is not shown
  QTest::keyClicks(view, " 1");
  EXPECT_EQ(Message(), QStringLiteral("print LIST"));  // only letters look
  QTest::keyClicks(view, ";x=open");
  EXPECT_EQ(Message(), QStringLiteral("open FH, EXPR"));
  QTest::keyClicks(view, "x");
  EXPECT_EQ(Message(), QStringLiteral("レディ"));
  QTest::keyClicks(view, " $open");  // the sigil is part of the word
  EXPECT_EQ(Message(), QStringLiteral("レディ"));
  QTest::keyClicks(view, " Print");
  EXPECT_EQ(Message(), QStringLiteral("レディ"));
}

TEST_F(ScriptViewTypingTest, AnUnreadableHintFileIsReportedOnceAndLeavesNoHints) {
  QTemporaryDir dir;
  const std::string missing = QFile::encodeName(dir.filePath(QStringLiteral("none/hint.txt"))).toStdString();
  frame->LoadHints(missing);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], QStringLiteral("%1 が読み込めませんでした。\n組み込み関数の入力ヒントは表示されません。")
                             .arg(QString::fromStdString(missing)));
  EXPECT_EQ(icons[0], MsgIcon::Stop);
  EXPECT_TRUE(frame->FindHint("print").empty());

  Start("");
  QTest::keyClicks(view, "print");
  EXPECT_EQ(Message(), QStringLiteral("レディ"));
  EXPECT_EQ(messages.size(), 1);

  frame->LoadHints(QFile::encodeName(dir.path()).toStdString());  // a folder is no hint file
  EXPECT_EQ(messages.size(), 2);

  // Nor is a file of many megabytes, or a FIFO, which would hold up the
  // start until something wrote to it.
  const std::string huge = QFile::encodeName(dir.filePath(QStringLiteral("huge.txt"))).toStdString();
  std::ofstream{huge}.close();
  ASSERT_EQ(::truncate(huge.c_str(), 8 << 20), 0);
  frame->LoadHints(huge);
  EXPECT_EQ(messages.size(), 3);
  const std::string fifo = QFile::encodeName(dir.filePath(QStringLiteral("fifo.txt"))).toStdString();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  frame->LoadHints(fifo);
  EXPECT_EQ(messages.size(), 4);
  EXPECT_TRUE(frame->FindHint("print").empty());
}

}  // namespace
