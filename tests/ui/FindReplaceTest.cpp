// Find and replace on a real undo edit view: dialog buttons, find next / previous, undo steps, the one shared dialog.
#include "controls/FindReplace.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

#include "controls/FindReplaceDialog.h"
#include "editor/UndoEditView.h"

using namespace corvella;
using namespace std::string_literals;

namespace {

class View : public CUndoEditView {
 public:
  explicit View(std::string_view text, QWidget* parent = nullptr) : CUndoEditView(parent) {
    resize(400, 200);
    OnInitialUpdate(text);
  }
  void OnTextNotFound(const std::string& what) override { notFound.push_back(what); }
  std::vector<std::string> notFound;
};

std::pair<std::size_t, std::size_t> Sel(const CUndoEditView& view) {
  const auto sel = view.Buffer().GetSel();
  return {sel.Start(), sel.End()};
}

class FindReplaceTest : public ::testing::Test {
 protected:
  void TearDown() override { CloseDialog(); }

  void CloseDialog() {
    if (FindReplaceDialog* dialog = finder.Dialog()) dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  FindReplaceDialog& Dialog() {
    FindReplaceDialog* dialog = finder.Dialog();
    EXPECT_NE(dialog, nullptr);
    return *dialog;
  }
  template <class W>
  W* Child(const char* name) {
    return Dialog().findChild<W*>(QString::fromLatin1(name));
  }
  void Type(const char* field, const QString& text) { Child<QLineEdit>(field)->setText(text); }
  void Click(const char* button) {
    QPushButton* b = Child<QPushButton>(button);
    ASSERT_NE(b, nullptr) << button;
    ASSERT_TRUE(b->isEnabled()) << button;
    QTest::mouseClick(b, Qt::LeftButton);
  }

  FindReplace finder;
};

TEST_F(FindReplaceTest, ReplaceAllReplacesFromTheCaretOn) {
  const std::string original = "Foo bar foo\r\nFOO";
  View view(original);
  finder.OpenReplace(&view);
  EXPECT_FALSE(Dialog().IsFindOnly());
  Type("findWhat", QStringLiteral("foo"));
  Type("replaceWith", QString::fromUtf8("xあ"));
  Click("replaceAll");
  EXPECT_EQ(view.Buffer().GetText(), "x\x82\xA0 bar x\x82\xA0\r\nx\x82\xA0");
  EXPECT_EQ(finder.GetState().strReplace, "x\x82\xA0");
  EXPECT_TRUE(view.notFound.empty());
  view.Undo();
  EXPECT_EQ(view.Buffer().GetText(), original);
  EXPECT_FALSE(view.CanUndo());

  // Only what lies after the caret, and with match case only the exact form.
  view.SetSel(3, 3);
  Child<QCheckBox>("matchCase")->setChecked(true);
  Type("replaceWith", QString());
  Click("replaceAll");
  EXPECT_EQ(view.Buffer().GetText(), "Foo bar \r\nFOO");
  EXPECT_EQ(view.History().UndoList().size(), 1u);  // an empty replacement inserts nothing

  Type("findWhat", QStringLiteral("zzz"));
  Click("replaceAll");
  EXPECT_EQ(view.notFound, std::vector<std::string>{"zzz"});
  EXPECT_EQ(view.History().UndoList().size(), 1u);
}

// However many replacements, one replace-all is one undo step and one redo
// step, apart from the typing before and after it.
TEST_F(FindReplaceTest, ReplaceAllIsOneUndoStepBetweenTypedText) {
  std::string original;
  for (int i = 0; i < 5000; ++i) original += "my $a = 1; my @b = (my $c);\r\n";
  View view(original);
  QTest::keyClicks(&view, "x");
  const std::string typed = view.Buffer().GetText();
  ASSERT_EQ(typed, "x" + original);
  std::string replaced = typed;
  for (std::size_t at = replaced.find("my"); at != std::string::npos; at = replaced.find("my", at + 3)) {
    replaced.replace(at, 2, "our");
  }
  finder.OpenReplace(&view);
  Type("findWhat", QStringLiteral("my"));
  Type("replaceWith", QStringLiteral("our"));
  Click("replaceAll");
  ASSERT_EQ(view.Buffer().GetText(), replaced);
  QTest::keyClicks(&view, "y");
  const std::string after = view.Buffer().GetText();
  ASSERT_EQ(after.size(), replaced.size() + 1);

  view.Undo();
  EXPECT_EQ(view.Buffer().GetText(), replaced);
  view.Undo();
  EXPECT_EQ(view.Buffer().GetText(), typed);
  view.Undo();
  EXPECT_EQ(view.Buffer().GetText(), original);
  EXPECT_FALSE(view.CanUndo());
  view.Redo();
  EXPECT_EQ(view.Buffer().GetText(), typed);
  view.Redo();
  EXPECT_EQ(view.Buffer().GetText(), replaced);
  view.Redo();
  EXPECT_EQ(view.Buffer().GetText(), after);
  EXPECT_FALSE(view.CanRedo());
}

TEST_F(FindReplaceTest, FindNextAndPreviousStopAtTheEndsWithoutWrapping) {
  View view("abc ABC abc");
  finder.OpenFind(&view);
  EXPECT_TRUE(Dialog().IsFindOnly());
  Type("findWhat", QStringLiteral("abc"));
  Click("findNext");
  EXPECT_EQ(Sel(view), std::make_pair(0ul, 3ul));
  Click("findNext");
  EXPECT_EQ(Sel(view), std::make_pair(4ul, 7ul));
  Click("findNext");
  Click("findNext");
  EXPECT_EQ(Sel(view), std::make_pair(8ul, 11ul));
  EXPECT_EQ(view.notFound, std::vector<std::string>{"abc"});
  EXPECT_NE(finder.Dialog(), nullptr);

  // Up in the dialog, with match case: the upper-case one is stepped over.
  Child<QRadioButton>("up")->setChecked(true);
  Child<QCheckBox>("matchCase")->setChecked(true);
  Click("findNext");
  EXPECT_EQ(Sel(view), std::make_pair(0ul, 3ul));
  EXPECT_FALSE(finder.GetState().bSearchDown);
  EXPECT_TRUE(finder.GetState().bMatchCase);

  // F3 and Shift+F3 use the remembered string and case, whatever direction the dialog had.
  EXPECT_TRUE(finder.FindNext(&view, true));
  EXPECT_EQ(Sel(view), std::make_pair(8ul, 11ul));
  EXPECT_FALSE(finder.FindNext(&view, true));
  EXPECT_EQ(view.notFound.size(), 2u);
  finder.GetState().bMatchCase = false;
  EXPECT_TRUE(finder.FindNext(&view, false));
  EXPECT_EQ(Sel(view), std::make_pair(4ul, 7ul));
  view.SetSel(0, 0);
  EXPECT_FALSE(finder.FindNext(&view, false));
  EXPECT_EQ(Sel(view), std::make_pair(0ul, 0ul));
}

TEST_F(FindReplaceTest, ReplaceOnlyReplacesASelectedMatch) {
  View view("cat dog CAT cat");
  finder.OpenReplace(&view);
  Type("findWhat", QStringLiteral("cat"));
  Type("replaceWith", QStringLiteral("cow"));
  Child<QCheckBox>("matchCase")->setChecked(true);
  Click("replace");  // nothing selected: this finds
  EXPECT_EQ(view.Buffer().GetText(), "cat dog CAT cat");
  EXPECT_EQ(Sel(view), std::make_pair(0ul, 3ul));
  EXPECT_FALSE(view.CanUndo());
  Click("replace");  // replaces and finds the next exact match
  EXPECT_EQ(view.Buffer().GetText(), "cow dog CAT cat");
  EXPECT_EQ(Sel(view), std::make_pair(12ul, 15ul));
  EXPECT_EQ(view.History().UndoList().size(), 2u);

  view.SetSel(8, 11);  // "CAT" does not equal "cat" with match case
  Click("replace");
  EXPECT_EQ(view.Buffer().GetText(), "cow dog CAT cat");
  EXPECT_EQ(Sel(view), std::make_pair(12ul, 15ul));
  Click("replace");  // the last one: replaced, then nothing more
  EXPECT_EQ(view.Buffer().GetText(), "cow dog CAT cow");
  EXPECT_EQ(view.notFound, std::vector<std::string>{"cat"});
}

TEST_F(FindReplaceTest, DialogStartsFromTheSelectionsFirstLineOrTheLastString) {
  View view("first \x95\x5C line\r\nsecond");  // 表 has the trail byte '\'
  finder.GetState().strFind = "last";
  finder.GetState().strReplace = "\x82\xA0";
  finder.GetState().bMatchCase = true;
  finder.GetState().bSearchDown = false;
  view.SetSel(17, 6);
  finder.OpenReplace(&view);
  EXPECT_EQ(Dialog().FindWhat(), QString::fromUtf8("表 line"));
  EXPECT_EQ(Dialog().ReplaceWith(), QString::fromUtf8("あ"));
  EXPECT_TRUE(Dialog().MatchCase());
  EXPECT_TRUE(Dialog().SearchDown());  // no direction in the replace dialog
  CloseDialog();

  view.SetSel(13, 15);  // only the line break: nothing on the first line
  finder.OpenFind(&view);
  EXPECT_EQ(Dialog().FindWhat(), QStringLiteral("last"));
  EXPECT_FALSE(Dialog().SearchDown());
  EXPECT_TRUE(Child<QPushButton>("findNext")->isEnabled());
  Type("findWhat", QString());
  EXPECT_FALSE(Child<QPushButton>("findNext")->isEnabled());
}

TEST_F(FindReplaceTest, OneDialogSharedByTheViews) {
  QWidget frame;  // the dialog's owner: it outlives the view
  auto* first = new View("one two", &frame);
  View second("two one");
  EXPECT_FALSE(finder.CanFindNext(second));
  finder.OpenFind(first);
  QPointer<FindReplaceDialog> find = finder.Dialog();
  EXPECT_EQ(find->windowTitle(), QString::fromUtf8("検索"));
  EXPECT_EQ(find->findChild<QLineEdit*>(QStringLiteral("replaceWith")), nullptr);

  // Replace closes find; opening replace again only brings it up, for the asking view.
  finder.OpenReplace(first);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(find.isNull());
  QPointer<FindReplaceDialog> replace = finder.Dialog();
  EXPECT_EQ(replace->windowTitle(), QString::fromUtf8("置換"));
  EXPECT_EQ(replace->findChild<QRadioButton*>(QStringLiteral("up")), nullptr);
  Type("findWhat", QStringLiteral("one"));
  finder.OpenReplace(&second);
  EXPECT_EQ(finder.Dialog(), replace.data());
  EXPECT_EQ(finder.DialogView(), &second);
  EXPECT_EQ(Dialog().FindWhat(), QStringLiteral("one"));
  Click("findNext");
  EXPECT_EQ(Sel(second), std::make_pair(4ul, 7ul));
  EXPECT_EQ(Sel(*first), std::make_pair(0ul, 0ul));
  EXPECT_TRUE(finder.CanFindNext(*first));

  // The search state outlives the dialog; the dialog does not outlive its view.
  Click("cancel");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(replace.isNull());
  EXPECT_EQ(finder.Dialog(), nullptr);
  EXPECT_TRUE(finder.FindNext(first, true));
  EXPECT_EQ(Sel(*first), std::make_pair(0ul, 3ul));
  finder.OpenFind(first);
  find = finder.Dialog();
  EXPECT_EQ(find->FindWhat(), QStringLiteral("one"));
  delete first;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(find.isNull());
  EXPECT_EQ(finder.Dialog(), nullptr);
}

// Set CORVELLA_GRAB_DIR to look at the dialogs.
TEST_F(FindReplaceTest, ButtonsStandInAColumnRightOfTheFields) {
  View view("text");
  for (bool findOnly : {true, false}) {
    if (findOnly) finder.OpenFind(&view);
    else finder.OpenReplace(&view);
    FindReplaceDialog& dialog = Dialog();
    dialog.SetFindWhat(QString::fromUtf8("検索語"));
    const QLineEdit* field = Child<QLineEdit>("findWhat");
    const QPushButton* findNext = Child<QPushButton>("findNext");
    const QPushButton* cancel = Child<QPushButton>("cancel");
    EXPECT_GE(findNext->geometry().left(), field->geometry().right());
    EXPECT_EQ(cancel->geometry().left(), findNext->geometry().left());
    EXPECT_GT(cancel->geometry().top(), findNext->geometry().bottom());
    EXPECT_TRUE(findNext->isDefault());
    if (!qEnvironmentVariableIsEmpty("CORVELLA_GRAB_DIR")) {
      const QString file = qEnvironmentVariable("CORVELLA_GRAB_DIR") +
                           (findOnly ? QStringLiteral("/find.png") : QStringLiteral("/replace.png"));
      EXPECT_TRUE(dialog.grab().save(file));
    }
  }
}

}  // namespace
