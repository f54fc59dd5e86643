// Reopening the active document in another encoding or newline code from the status bar's panes.
#include "app/EncodingPaneMenu.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "support/MainWindowTest.h"

#include "editor/MyDoc.h"
#include "editor/MyView.h"
#include "editor/PaneTexts.h"
#include "res/resource.h"

using namespace corvella;

namespace {

// "# 日本語" and a second line: UTF-8 on disk, Shift_JIS in the editor.
const QByteArray kUtf8Lf("# \xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\nprint 1;\n");
const std::string kSjisText("# \x93\xfa\x96\x7b\x8c\xea\r\nprint 1;\r\n");

class EncodingPaneMenuTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    CreateFrame();
    frame->show();
  }
  QString Write(const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }
  QLabel* Pane(int id) const {
    for (QLabel* label : frame->statusBar()->findChildren<QLabel*>()) {
      if (label->text() == frame->PaneText(id)) return label;
    }
    return nullptr;
  }
  // An edit the reopen must throw away.
  void Edit() {
    frame->ActiveView()->SetSel(0, 0);
    frame->ActiveView()->ReplaceSelUndoable("x");
  }

  QTemporaryDir dir;
};

// A UTF-8 script opened as Shift_JIS shows garbage until the encoding pane's
// menu reopens it as UTF-8; the edit made meanwhile goes, with its undo.
TEST_F(EncodingPaneMenuTest, EncodingPaneReopensTheFileInTheChosenEncoding) {
  CMyDoc* doc = docs->OpenDocumentFile(Write("utf8.pl", kUtf8Lf));
  ASSERT_NE(doc, nullptr);
  CSyntaxView& view = *frame->ActiveView();
  ASSERT_NE(view.Buffer().GetText(), kSjisText);
  Edit();
  view.SetSel(view.Buffer().LineIndex(1), view.Buffer().LineIndex(1));
  frame->UpdatePanes();
  QLabel* pane = Pane(res::ID_INDICATOR_KANJI);
  ASSERT_NE(pane, nullptr);

  // No menu while a run has its copy over the file.
  frame->Runner().SetRunning(true);
  QTest::mouseDClick(pane, Qt::LeftButton);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  frame->Runner().SetRunning(false);

  QTest::mouseDClick(pane, Qt::LeftButton);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->actions().size(), 4);
  EXPECT_TRUE(menu->actions()[0]->isChecked());
  EXPECT_FALSE(menu->actions()[3]->isChecked());
  answer = MsgResult::Yes;
  menu->actions()[3]->trigger();
  menu->hide();
  QCoreApplication::processEvents();
  frame->UpdatePanes();

  EXPECT_EQ(messages.size(), 1);  // the question, and no report
  EXPECT_EQ(view.Buffer().GetText(), kSjisText);
  EXPECT_EQ(doc->KanjiCode(), 3);
  EXPECT_EQ(pane->text().toStdString(), KanjiPaneText(3));
  EXPECT_FALSE(view.CanUndo());
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(view.Buffer().LineFromChar(view.Buffer().GetSel().caret), 1u);
}

TEST_F(EncodingPaneMenuTest, ModifiedDocumentStaysAsItIsWhenTheAnswerIsNo) {
  CMyDoc* doc = docs->OpenDocumentFile(Write("utf8.pl", kUtf8Lf));
  ASSERT_NE(doc, nullptr);
  Edit();
  const std::string edited = doc->Text().Buffer().GetText();
  answer = MsgResult::No;
  EXPECT_FALSE(ChooseCode(*doc, res::ID_INDICATOR_KANJI, 3));
  EXPECT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages.value(0).contains(doc->GetPathName()));
  EXPECT_EQ(doc->Text().Buffer().GetText(), edited);
  EXPECT_EQ(doc->KanjiCode(), 0);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(frame->ActiveView()->CanUndo());
}

// Every line end loads as one, so a CR-only file reads the same; the chosen
// code is what the next save writes.
TEST_F(EncodingPaneMenuTest, NewlinePaneReopensWithTheChosenNewlineCode) {
  const QString path = Write("mac.pl", "a\rb\rc\r");
  CMyDoc* doc = docs->OpenDocumentFile(path);
  ASSERT_NE(doc, nullptr);
  ASSERT_EQ(doc->CrLf(), 2);
  Edit();
  answer = MsgResult::Yes;
  EXPECT_TRUE(ChooseCode(*doc, res::ID_INDICATOR_CRLF, 1));
  frame->UpdatePanes();
  EXPECT_EQ(doc->Text().Buffer().GetText(), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(frame->PaneText(res::ID_INDICATOR_CRLF).toStdString(), NewlinePaneText(1));
  ASSERT_TRUE(doc->DoFileSave());
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("a\nb\nc\n"));
}

TEST_F(EncodingPaneMenuTest, UntitledDocumentOnlyTakesTheCodeForItsSave) {
  CMyDoc* doc = docs->OnFileNew();
  Edit();
  EXPECT_TRUE(ChooseCode(*doc, res::ID_INDICATOR_KANJI, 1));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(doc->KanjiCode(), 1);
  EXPECT_EQ(doc->Text().Buffer().GetText(), "x");
}

TEST_F(EncodingPaneMenuTest, VanishedFileIsReportedAndTheDocumentKept) {
  const QString path = Write("gone.pl", kUtf8Lf);
  CMyDoc* doc = docs->OpenDocumentFile(path);
  ASSERT_NE(doc, nullptr);
  const std::string text = doc->Text().Buffer().GetText();
  ASSERT_TRUE(QFile::remove(path));
  EXPECT_FALSE(ChooseCode(*doc, res::ID_INDICATOR_KANJI, 3));
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0], MsgIcon::Exclamation);
  EXPECT_EQ(doc->Text().Buffer().GetText(), text);
  EXPECT_EQ(doc->KanjiCode(), 0);
}

}  // namespace
