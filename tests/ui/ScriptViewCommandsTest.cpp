// The script view's own commands in the main window: status panes, go to line, delete to end of line, context menu.
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/MainWindowTest.h"

#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "base/MessageBox.h"
#include "base/Profile.h"
#include "document/EditBuffer.h"
#include "controls/EditorDialogs.h"
#include "controls/GotoLineDlg.h"
#include "editor/MyView.h"
#include "res/resource.h"

using namespace corvella;

namespace {

class ScriptViewCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    answer = MsgResult::No;
    profile.WriteProfileInt("Settings", "KanjiConvert", 1);
    CreateFrame();
  }
  CMyView* NewView(std::string_view text) {
    docs->OnFileNew();
    CMyView* view = frame->ActiveView();
    view->SetText(text);
    return view;
  }
  // Answers the next go-to-line dialog with `text`, pressing OK; a refused
  // number leaves the dialog open, so it is then cancelled.
  static void AnswerGotoLine(const QString& text) {
    QTimer::singleShot(0, [text] {
      auto* dlg = qobject_cast<CGotoLineDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(dlg, nullptr);
      dlg->Field()->setText(text);
      dlg->accept();
      if (dlg->isVisible()) dlg->reject();
    });
  }
};

TEST_F(ScriptViewCommandsTest, PanesShowTheActiveViewsLineEncodingAndNewline) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("euc.pl"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("# \xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xB3\xA5\xE1\xA5\xF3\xA5\xC8\nprint 1;\n");  // EUC-JP, LF
  file.close();

  CMyView* first = NewView("a\r\nb\r\nc\r\nd");
  first->SetSel(7, 7);  // line 3, after the "c"
  frame->UpdatePanes();
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_LINE), QStringLiteral(" 行:    3"));
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_KANJI), QStringLiteral("SJIS"));
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_CRLF), QStringLiteral("CR+LF"));

  ASSERT_NE(docs->OpenDocumentFile(path), nullptr);
  frame->UpdatePanes();
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_LINE), QStringLiteral(" 行:    1"));
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_KANJI), QStringLiteral("EUC"));
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_CRLF), QStringLiteral("LF"));

  // Back to the first view: its line shows at once, without moving its caret.
  frame->MdiArea()->setActiveSubWindow(frame->MdiArea()->subWindowList().first());
  ASSERT_EQ(frame->ActiveView(), first);
  frame->UpdatePanes();
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_LINE), QStringLiteral(" 行:    3"));
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_CRLF), QStringLiteral("CR+LF"));
}

TEST_F(ScriptViewCommandsTest, GotoLineMovesToALineStartOrSaysThereIsNone) {
  CMyView* view = NewView("one\r\ntwo\r\nthree\r\nfour");
  AnswerGotoLine(QStringLiteral("3"));
  frame->Router().Route(res::ID_EDIT_GOTO_LINE);
  EXPECT_EQ(view->Buffer().GetSel().anchor, 10u);
  EXPECT_EQ(view->Buffer().GetSel().caret, 10u);
  EXPECT_TRUE(messages.isEmpty());

  AnswerGotoLine(QStringLiteral("5"));
  frame->Router().Route(res::ID_EDIT_GOTO_LINE);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages.last(), QStringLiteral("指定された行はありません。"));
  EXPECT_EQ(view->Buffer().GetSel().caret, 10u);

  for (const char* refused : {"0", "10001", ""}) {
    AnswerGotoLine(QString::fromLatin1(refused));
    frame->Router().Route(res::ID_EDIT_GOTO_LINE);
    EXPECT_EQ(messages.last(), QStringLiteral("1 から 10000 までの整数を入力してください。")) << refused;
  }
  EXPECT_EQ(view->Buffer().GetSel().caret, 10u);

  // The field starts on the caret's line.
  QTimer::singleShot(0, [] {
    auto* dlg = qobject_cast<CGotoLineDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->Field()->text(), QStringLiteral("3"));
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("行ジャンプ"));
    dlg->reject();
  });
  frame->Router().Route(res::ID_EDIT_GOTO_LINE);
}

TEST_F(ScriptViewCommandsTest, DeleteToEndOfLineKeepsTheLineBreak) {
  CMyView* view = NewView("abc\r\ndef");
  view->SetSel(1, 1);
  frame->Router().Route(res::ID_EDIT_DELETE_TO_EOL);
  EXPECT_EQ(view->Buffer().GetText(), "a\r\ndef");
  EXPECT_EQ(view->Buffer().GetSel().caret, 1u);
  frame->Router().Route(res::ID_EDIT_DELETE_TO_EOL);  // at the end of the line: nothing
  EXPECT_EQ(view->Buffer().GetText(), "a\r\ndef");
  view->SetSel(4, 4);  // on the last line: to the end of the text
  frame->Router().Route(res::ID_EDIT_DELETE_TO_EOL);
  EXPECT_EQ(view->Buffer().GetText(), "a\r\nd");
  view->SetSel(0, 1);  // a selection is deleted as it is
  frame->Router().Route(res::ID_EDIT_DELETE_TO_EOL);
  EXPECT_EQ(view->Buffer().GetText(), "\r\nd");
  frame->Router().Route(res::ID_EDIT_UNDO);
  EXPECT_EQ(view->Buffer().GetText(), "a\r\nd");
  frame->Router().Route(res::ID_EDIT_CTRL_SHIFT_DELETE);  // bound, and does nothing
  EXPECT_EQ(view->Buffer().GetText(), "a\r\nd");
}

TEST_F(ScriptViewCommandsTest, SearchTextNotFoundIsNamedInAMessage) {
  CMyView* view = NewView("print 1;");
  FindReplace::State& search = frame->GetEditorDialogs().Find().GetState();
  search.strFind = "\x93\xfa\x96\x7b";  // 日本 in Shift_JIS
  search.bSearchDown = true;
  frame->Router().Route(res::ID_EDIT_REPEAT);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], QStringLiteral("文字列 '日本' が見つかりません。"));
  search.strFind = "print";
  view->SetSel(0, 0);
  frame->Router().Route(res::ID_EDIT_REPEAT);
  EXPECT_EQ(messages.size(), 1);
  EXPECT_EQ(view->Buffer().GetSel().End(), 5u);
}

TEST_F(ScriptViewCommandsTest, ContextMenuOpensOnlyOverTheText) {
  CMyView* view = NewView("text");
  frame->resize(600, 400);
  QList<QPoint> shown;
  view->SetContextMenuHandler([&shown](const QPoint& at) { shown << at; });
  const QPoint inText = view->FormattingRect().center();
  QContextMenuEvent overText(QContextMenuEvent::Mouse, inText, view->viewport()->mapToGlobal(inText));
  QApplication::sendEvent(view->viewport(), &overText);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(shown[0], view->viewport()->mapToGlobal(inText));
  const QPoint inGutter(5, 5);
  QContextMenuEvent overGutter(QContextMenuEvent::Mouse, inGutter, view->viewport()->mapToGlobal(inGutter));
  QApplication::sendEvent(view->viewport(), &overGutter);
  EXPECT_EQ(shown.size(), 1);
}

}  // namespace
