// F1 in a script view of the main window with the real perldoc: a function, a special variable, a module, an operator's section, a word without documentation, and the search line.
#include "app/PerldocPane.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "support/RunWindowTest.h"

#include "editor/MyDoc.h"
#include "editor/MyView.h"
#include "res/PerldocStrings.h"

using namespace corvella;

namespace {

class PerldocPaneTest : public RunWindowTest {
 protected:
  void SetUp() override {
    RunWindowTest::SetUp();
    pane = frame->findChild<PerldocPane*>();
    ASSERT_NE(pane, nullptr);
    frame->resize(900, 650);
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get(), 2000));
    const QByteArray script =
        "use Getopt::Long;\nmy @a = (1, 2, 3);\nsplice(@a, 1);\nprint $_ for @a;\nprint '-' x 20;\nfrobnicate();\n";
    ASSERT_NE(docs->OpenDocumentFile(Write(QStringLiteral("doc.pl"), script)), nullptr);
    view = frame->ActiveView();
    ASSERT_NE(view, nullptr);
  }
  // F1 with the caret `column` bytes into line `line` (from 0); the pane's text once perldoc has answered.
  QString F1At(std::size_t line, std::size_t column) {
    const std::size_t at = view->Buffer().LineIndex(line) + column;
    view->SetSel(at, at);
    QTest::keyClick(view, Qt::Key_F1);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_TRUE(Searching()) << Text().toStdString();
    EXPECT_TRUE(RunUntil([this] { return !Searching(); }));
    return Text();
  }
  QString Text() const { return pane->Browser().toPlainText(); }
  bool Searching() const { return Text().endsWith(QString::fromUtf8("を検索中...")); }

  PerldocPane* pane = nullptr;
  CMyView* view = nullptr;
};

TEST_F(PerldocPaneTest, F1ShowsTheDocumentationOfTheWordAtTheCaret) {
  EXPECT_TRUE(F1At(2, 2).contains(QStringLiteral("splice ARRAY")));
  EXPECT_EQ(pane->SearchLine().text(), QStringLiteral("splice"));
  const QString variable = F1At(3, 7);
  EXPECT_TRUE(variable.contains(QStringLiteral("The default input and pattern-searching space"))) << variable.toStdString();
  EXPECT_EQ(pane->SearchLine().text(), QStringLiteral("$_"));
  const QString module = F1At(0, 8);
  EXPECT_TRUE(module.startsWith(QStringLiteral("NAME\n    Getopt::Long - "))) << module.left(200).toStdString();
  // perlop shown at its multiplication section.
  EXPECT_TRUE(F1At(4, 11).contains(QStringLiteral("Binary \"x\" is the repetition operator")));
  EXPECT_GT(pane->Browser().verticalScrollBar()->value(), 0);
  EXPECT_EQ(F1At(5, 3), QStringLiteral("「frobnicate」のドキュメントは見つかりませんでした。"));
}

TEST_F(PerldocPaneTest, SearchLineAndLinksLookUpInThePane) {
  pane->SearchLine().setText(QStringLiteral("perlsyn"));
  QTest::keyClick(&pane->SearchLine(), Qt::Key_Return);
  ASSERT_TRUE(RunUntil([this] { return Text().startsWith(QStringLiteral("NAME")); })) << Text().toStdString();
  EXPECT_TRUE(Text().contains(QStringLiteral("perlsyn - Perl syntax")));
  // A page named in the text is a link shown in the pane.
  QTextBrowser& browser = pane->Browser();
  const QTextCursor link = browser.document()->find(QStringLiteral("perlfunc"));
  ASSERT_FALSE(link.isNull());
  browser.setTextCursor(link);
  browser.ensureCursorVisible();
  QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, browser.cursorRect(link).center() - QPoint(8, 0));
  ASSERT_TRUE(RunUntil([this] { return Text().contains(QStringLiteral("perlfunc - Perl builtin functions")); }))
      << Text().left(300).toStdString();
  EXPECT_EQ(pane->SearchLine().text(), QStringLiteral("perlfunc"));
  // F1 with the focus in the pane looks up what is typed there.
  pane->SearchLine().setText(QStringLiteral("@ARGV"));
  pane->SearchLine().setFocus();
  QTest::keyClick(&pane->SearchLine(), Qt::Key_F1);
  ASSERT_TRUE(RunUntil([this] { return Text().contains(QStringLiteral("The array @ARGV contains")); }))
      << Text().left(300).toStdString();
  // A newer lookup replaces one still running: only the last one answers.
  QStringList shown;
  const auto spy = QObject::connect(&pane->Browser(), &QTextEdit::textChanged, &pane->Browser(),
                   [&] { shown << pane->Browser().toPlainText(); });
  pane->LookUp(QStringLiteral("File::Temp"));
  pane->LookUp(QStringLiteral("%ENV"));
  ASSERT_TRUE(RunUntil([this] { return !Searching(); }));
  EXPECT_TRUE(Text().contains(QStringLiteral("The hash %ENV contains your current environment"))) << Text().toStdString();
  QObject::disconnect(spy);
  EXPECT_FALSE(shown.join(u'\n').contains(QStringLiteral("File::Temp - return name")));
}

}  // namespace
