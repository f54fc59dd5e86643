// The debugger inside the main window with a real perl: breakpoints from the document, stepping, the variables, watch and stack panes, a module opened beside the script, and the end of a session.
#include "app/DebugPanes.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <csignal>
#include <random>

#include <gtest/gtest.h>

#include "support/RunWindowTest.h"

#include "app/OutputBar.h"
#include "editor/Cp932Text.h"
#include "editor/EditControl.h"
#include "editor/MyDoc.h"
#include "editor/MyView.h"
#include "res/DebuggerStrings.h"
#include "res/resource.h"
#include "run/ScriptRunner.h"

using namespace corvella;

namespace {

class DebuggerTest : public RunWindowTest {
 protected:
  void SetUp() override {
    RunWindowTest::SetUp();
    panes = frame->findChild<DebugPanes*>();
    ASSERT_NE(panes, nullptr);
  }
  // Routes `command` and waits for the stop it leads to in `doc`, at `line` (from 0).
  bool StopsAt(int command, CMyDoc* doc, int line) {
    frame->Router().Route(command);
    return RunUntil([&] { return doc->ExecutionLine() == line && frame->Router().Query(res::ID_DEBUG_STEP_OUT).enabled; });
  }
  QStringList Rows(const char* name) const {
    QStringList rows;
    auto* tree = panes->findChild<QTreeWidget*>(QString::fromLatin1(name));
    for (QTreeWidgetItemIterator it(tree); *it; ++it) rows << (*it)->text(0) + u'|' + (*it)->text(1);
    return rows;
  }

  DebugPanes* panes = nullptr;
};

// A Shift_JIS script: a breakpoint set before the start stops the run, the
// lexicals show with their Japanese values, steps go into and out of a sub
// as perl does, a watch follows, and the file is untouched afterwards.
TEST_F(DebuggerTest, StopsStepsAndShowsTheFrame) {
  const QByteArray script =
      "use strict;\nmy $name = \"\x93\xfa\x96\x7b\";\nmy @list = (1, 2);\nsub twice {\n  my $n = shift;\n"
      "  return $n * 2;\n}\nmy $r = twice(21);\nprint \"r=$r\\n\";\n";
  const QString path = Write(QStringLiteral("step.pl"), script);
  CMyDoc* doc = docs->OpenDocumentFile(path);
  ASSERT_NE(doc, nullptr);
  doc->ToggleBreakpoint(7);
  ASSERT_TRUE(StopsAt(res::ID_DEBUG_GO, doc, 7));
  EXPECT_TRUE(Rows("variables").contains(QString::fromUtf8("$name = \"日本\"|"))) << Rows("variables").join('\n').toStdString();

  auto* watchLine = panes->findChild<QLineEdit*>(QStringLiteral("watchLine"));
  watchLine->setText(QStringLiteral("$r"));
  QTest::keyClick(watchLine, Qt::Key_Return);

  ASSERT_TRUE(StopsAt(res::ID_DEBUG_STEP_INTO, doc, 4));
  const QStringList stack = Rows("stack");
  ASSERT_EQ(stack.size(), 2) << stack.join('\n').toStdString();
  EXPECT_TRUE(stack[0].startsWith(QStringLiteral("main::twice|step.pl:5")));
  EXPECT_TRUE(stack[1].startsWith(QStringLiteral("main::twice(21)|step.pl:8")));
  // Enter on a frame goes to its line.
  auto* stackTree = panes->findChild<QTreeWidget*>(QStringLiteral("stack"));
  stackTree->setCurrentItem(stackTree->topLevelItem(1));
  QTest::keyClick(stackTree, Qt::Key_Return);
  EXPECT_EQ(frame->ActiveView()->Buffer().LineFromChar(frame->ActiveView()->Sel().caret), 7u);
  ASSERT_TRUE(StopsAt(res::ID_DEBUG_STEP_OUT, doc, 8));
  EXPECT_TRUE(Rows("watches").contains(QStringLiteral("0  42|"))) << Rows("watches").join('\n').toStdString();

  frame->Router().Route(res::ID_DEBUG_STEP_OVER);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_TRUE(Pane().contains(QStringLiteral("r=42"))) << Pane().toStdString();
  EXPECT_EQ(doc->ExecutionLine(), -1);
  EXPECT_EQ(Read(path), script);
}

// A breakpoint in a module opened beside the script stops there; a die is
// marked where it happened; ending a session kills the script at once.
TEST_F(DebuggerTest, StopsInAModuleAndEnds) {
  const QString module = Write(QStringLiteral("Helper.pm"),
                               "package Helper;\nsub value {\n  my $v = 5;\n  return $v;\n}\n1;\n");
  const QByteArray script = "use lib '.';\nuse Helper;\nmy $v = Helper::value();\nsleep 1 while 1;\n";
  const QString path = Write(QStringLiteral("main.pl"), script);
  CMyDoc* helper = docs->OpenDocumentFile(module);
  ASSERT_NE(helper, nullptr);
  helper->ToggleBreakpoint(3);
  CMyDoc* doc = docs->OpenDocumentFile(path);
  ASSERT_TRUE(StopsAt(res::ID_DEBUG_GO, helper, 3));
  EXPECT_EQ(docs->ActiveDocument(), helper);
  frame->Router().Route(res::ID_DEBUG_GO);
  QTest::qWait(300);
  ASSERT_TRUE(frame->Router().Query(res::ID_DEBUG_END).enabled);
  frame->Router().Route(res::ID_DEBUG_END);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_EQ(Read(path), script);

  docs->OpenDocumentFile(path);
  frame->ActiveView()->SetText("my $x = 1;\r\ndie \"broken\" if $x;\r\n");
  answer = MsgResult::No;
  frame->Router().Route(res::ID_DEBUG_GO);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_EQ(doc->ExecutionLine(), 1) << Pane().toStdString();
  EXPECT_EQ(Read(path), script);
}

}  // namespace

namespace {

// The pid of the interpreter running `script` under this test, from /proc.
pid_t DebuggedPerl(const QString& script) {
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool number = false;
    const pid_t pid = entry.toInt(&number);
    if (!number) continue;
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(entry));
    if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(QFileInfo(script).fileName().toUtf8())) {
      return pid;
    }
  }
  return -1;
}

// The run copy's end with the session killed at random moments, saved over,
// or the file overwritten by another program: the file always ends as the
// user's last save, never as the run copy or bytes nobody checked.
TEST_F(DebuggerTest, TheScriptEndsAsLastSavedWhateverEndsTheSession) {
  const QByteArray script = "my $n = 0;\n$n++ while 1;\n";
  const QString path = Write(QStringLiteral("killed_session_target.pl"), script);
  CMyDoc* doc = docs->OpenDocumentFile(path);
  ASSERT_NE(doc, nullptr);
  std::mt19937 random(7);
  for (int round = 0; round < 4; ++round) {
    frame->ActiveView()->SetText("my $n = 1;\r\n$n++ while 1;\r\n");  // unsaved: the run copy differs
    answer = MsgResult::No;
    frame->Router().Route(res::ID_DEBUG_GO);
    ASSERT_TRUE(frame->IsRunning());
    QTest::qWait(static_cast<int>(random() % 400));
    const pid_t perl = DebuggedPerl(path);
    if (perl > 0) ::kill(perl, SIGKILL);
    else frame->Router().Route(res::ID_DEBUG_END);
    ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
    EXPECT_EQ(Read(path), script) << round;
  }

  // Saved during a session: the save stays.
  doc->ToggleBreakpoint(1);
  ASSERT_TRUE(StopsAt(res::ID_DEBUG_GO, doc, 1));
  ASSERT_TRUE(doc->DoSave(path));
  const QByteArray saved = Read(path);
  frame->Router().Route(res::ID_DEBUG_END);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_EQ(Read(path), saved);

  // Overwritten by another program during a session: the last save comes back.
  ASSERT_TRUE(StopsAt(res::ID_DEBUG_GO, doc, 1));
  Write(QStringLiteral("killed_session_target.pl"), "# written elsewhere\n");
  frame->Router().Route(res::ID_DEBUG_END);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_EQ(Read(path), saved);
}

}  // namespace
