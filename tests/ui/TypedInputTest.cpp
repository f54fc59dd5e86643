// Typed standard input from the real main window: the check item, the input line under the output pane, lines sent in the script's encoding, the end of the input, and end of file at once with the item off.
#include <QDeadlineTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "support/RunWindowTest.h"

#include "app/OutputBar.h"
#include "app/RunInputLine.h"
#include "editor/Cp932Text.h"
#include "editor/EditControl.h"
#include "editor/MyDoc.h"
#include "res/resource.h"

using namespace corvella;

namespace {

// Prints the first line's bytes in hex, the second as it came, then whether
// the input ended there.
constexpr const char* kReadsTwoLines =
    "$| = 1; print \"ready\\n\"; my $a = <STDIN>; my $b = <STDIN>;"
    "print \"1:\", defined $a ? unpack('H*', $a) : 'none', \"\\n\"; print \"2:\", $b // \"none\\n\";"
    "print defined(<STDIN>) ? \"more\\n\" : \"eof\\n\";\n";

class TypedInputTest : public RunWindowTest {
 protected:
  void SetUp() override {
    RunWindowTest::SetUp();
    doc = docs->OpenDocumentFile(Write(QStringLiteral("reads.pl"), kReadsTwoLines));
  }
  RunInputLine& Line() const { return frame->OutputBar()->InputLine(); }
  // Japanese comes as the input method's commit, the rest as keys.
  void Type(const QString& text, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(&Line().Edit(), &commit);
    QTest::keyClick(&Line().Edit(), key, modifiers);
  }

  CMyDoc* doc = nullptr;
};

TEST_F(TypedInputTest, LinesTypedUnderThePaneReachTheScript) {
  ASSERT_NE(doc, nullptr);
  // Off at first: the script reads end of file at once and no line shows.
  EXPECT_EQ(frame->Router().Query(res::ID_DEBUG_TYPED_INPUT).checked, false);
  frame->Router().Route(res::ID_COMMAND_RUN);
  EXPECT_TRUE(Line().isHidden());
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_TRUE(Pane().contains(QStringLiteral("ready\r\n1:none\r\n2:none\r\neof\r\n"))) << Pane().toStdString();

  frame->Router().Route(res::ID_DEBUG_TYPED_INPUT);
  EXPECT_EQ(frame->Router().Query(res::ID_DEBUG_TYPED_INPUT).checked, true);
  EXPECT_EQ(profile.GetProfileInt("Settings", "TypedInput", 0), 1);

  // In the document's encoding (EUC-JP here), with LF; echoed as typed.
  doc->SetCodes(kEncodingEuc, kNewlineCrLf);
  frame->Router().Route(res::ID_COMMAND_RUN);
  ASSERT_FALSE(Line().isHidden());
  ASSERT_TRUE(RunUntil([this] { return Pane().endsWith(QStringLiteral("ready\r\n")); }));
  Type(QString::fromUtf8("日本"), Qt::Key_Return);
  Type(QStringLiteral("two"), Qt::Key_Return);
  ASSERT_TRUE(RunUntil([this] { return Pane().contains(QStringLiteral("2:two")); }));
  EXPECT_TRUE(Line().isEnabled());
  Type({}, Qt::Key_D, Qt::ControlModifier);
  EXPECT_FALSE(Line().isEnabled());
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_TRUE(Pane().contains(QString::fromUtf8("ready\r\n日本\r\ntwo\r\n1:c6fccbdc0a\r\n2:two\r\neof\r\n")))
      << Pane().toStdString();
  EXPECT_TRUE(Line().isHidden());

  // The button ends the input as Ctrl+D does; the next run's line starts enabled.
  frame->Router().Route(res::ID_COMMAND_RUN);
  ASSERT_TRUE(Line().isEnabled());
  Line().findChild<QPushButton*>()->click();
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_TRUE(Pane().contains(QStringLiteral("1:none\r\n2:none\r\neof\r\n"))) << Pane().toStdString();
}

}  // namespace
