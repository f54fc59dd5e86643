// Error marks from real perl runs in the main window: a syntax check marks the script's errors and warning, F4 goes round them, the next run clears them, and the background check marks what is typed without touching the file.
#include "app/ErrorMarker.h"

#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include "support/RunWindowTest.h"

#include "editor/MyDoc.h"
#include "editor/MyView.h"
#include "res/resource.h"

using namespace corvella;

namespace {

using Kind = ErrorMarks::Kind;

class ErrorMarkerTest : public RunWindowTest {
 protected:
  std::size_t CaretLine() const {
    CMyView* view = frame->ActiveView();
    return view->Buffer().LineFromChar(view->Sel().caret);
  }
};

TEST_F(ErrorMarkerTest, SyntaxCheckMarksErrorsAndWarningsUntilTheNextRun) {
  const QString path = Write(QStringLiteral("marks.pl"),
                             "use strict;\nuse warnings;\nmy $x = 1;\nif ($x = 2) { print \"a\" }\n$y = 1;\n$z = 2;\n");
  CMyDoc* doc = docs->OpenDocumentFile(path);
  ASSERT_NE(doc, nullptr);
  EXPECT_FALSE(frame->Router().Query(res::ID_NEXT_ERROR_MARK).enabled);
  frame->Router().Route(res::ID_COMMAND_SYNTAX_CHECK);
  ASSERT_TRUE(RunUntil([&] { return !frame->IsRunning() && !doc->GetErrorMarks().Empty(); }));
  const std::vector<ErrorMarks::Mark>& marks = doc->GetErrorMarks().Marks();
  ASSERT_EQ(marks.size(), 3u) << Pane().toStdString();
  EXPECT_EQ(marks[0].line, 3u);
  EXPECT_EQ(marks[0].kind, Kind::Warning);
  EXPECT_EQ(marks[0].message, "Found = in conditional, should be == at marks.pl line 4.");
  EXPECT_EQ(marks[1].line, 4u);
  EXPECT_EQ(marks[1].kind, Kind::Error);
  EXPECT_EQ(marks[1].message.rfind("Global symbol \"$y\" requires explicit package name", 0), 0u);
  EXPECT_EQ(marks[2].line, 5u);
  EXPECT_EQ(marks[2].kind, Kind::Error);

  // F4 and Shift+F4 go round the marks; the caret's mark shows in the status bar.
  frame->ActiveView()->setFocus();
  ASSERT_TRUE(frame->Router().Query(res::ID_NEXT_ERROR_MARK).enabled);
  std::vector<std::size_t> visited;
  for (int i = 0; i < 4; ++i) {
    frame->Router().Route(res::ID_NEXT_ERROR_MARK);
    visited.push_back(CaretLine());
  }
  EXPECT_EQ(visited, (std::vector<std::size_t>{3, 4, 5, 3}));
  EXPECT_EQ(frame->statusBar()->currentMessage(), QString::fromLatin1(marks[0].message.c_str()));
  frame->Router().Route(res::ID_PREV_ERROR_MARK);
  EXPECT_EQ(CaretLine(), 5u);

  // A line typed above moves the marks with their lines.
  CMyView* view = frame->ActiveView();
  view->SetSel(0, 0);
  view->ReplaceSel("# added\r\n");
  EXPECT_EQ(doc->GetErrorMarks().Marks()[0].line, 4u);
  EXPECT_EQ(doc->GetErrorMarks().Marks()[2].line, 6u);

  // Fixed and run again: the marks are gone.
  view->SelectAll();
  view->ReplaceSel("print \"ok\\n\";\r\n");
  ASSERT_TRUE(doc->DoFileSave());
  frame->Router().Route(res::ID_COMMAND_RUN);
  ASSERT_TRUE(RunUntil([&] { return !frame->IsRunning() && Pane().contains(QStringLiteral("ok")); }));
  EXPECT_TRUE(doc->GetErrorMarks().Empty());
}

TEST_F(ErrorMarkerTest, BackgroundCheckMarksTypedErrorsWithoutTouchingTheFile) {
  const QByteArray original = "use strict;\nmy $x = 1;\nprint $x;\n";
  const QString path = Write(QStringLiteral("typed.pl"), original);
  CMyDoc* doc = docs->OpenDocumentFile(path);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(frame->Router().Query(res::ID_BACKGROUND_CHECK).checked, std::optional<bool>(false));
  frame->Router().Route(res::ID_BACKGROUND_CHECK);
  EXPECT_EQ(frame->Router().Query(res::ID_BACKGROUND_CHECK).checked, std::optional<bool>(true));

  CMyView* view = frame->ActiveView();
  const std::size_t third = view->Buffer().LineIndex(2);
  view->SetSel(third, third);
  view->ReplaceSel("$undeclared = 2;\r\n");
  ASSERT_TRUE(RunUntil([&] { return !doc->GetErrorMarks().Empty(); }));
  const ErrorMarks::Mark& mark = doc->GetErrorMarks().Marks().front();
  EXPECT_EQ(mark.line, 2u);
  EXPECT_EQ(mark.kind, Kind::Error);
  EXPECT_NE(mark.message.find("Global symbol \"$undeclared\""), std::string::npos) << mark.message;
  // The message names the script as a run would, not the copy that was checked.
  EXPECT_NE(mark.message.find(" at typed.pl line 3."), std::string::npos) << mark.message;
  EXPECT_EQ(Read(path), original);
  EXPECT_TRUE(doc->IsModified());

  // Fixed in the buffer: the next check clears the mark.
  view->SetSel(view->Buffer().LineIndex(2), view->Buffer().LineIndex(2));
  view->ReplaceSel("my ");
  ASSERT_TRUE(RunUntil([&] { return doc->GetErrorMarks().Empty(); }));
  EXPECT_EQ(Read(path), original);
  frame->Router().Route(res::ID_BACKGROUND_CHECK);
}

}  // namespace
