// Runs of the script in the active view from the real main window: a real perl, real files, the output pane.
#include "run/ScriptRunner.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QDeadlineTimer>

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/RunWindowTest.h"

#include "app/OutputBar.h"
#include "base/DesktopOpener.h"
#include "base/Responders.h"
#include "editor/Cp932Text.h"
#include "editor/EditControl.h"
#include "editor/MyDoc.h"
#include "editor/MyView.h"
#include "app/TemplateListDlg.h"
#include "app/TemplateMenus.h"
#include "run/CgiDlg.h"
#include "platform/ChildEnvironment.h"
#include "platform/FileNames.h"
#include "platform/PathParts.h"
#include "res/Strings.h"
#include "res/resource.h"

using namespace corvella;

namespace {

class ScriptRunnerTest : public RunWindowTest {
 protected:
  // A saved script open in its window.
  CMyDoc* Open(const QString& name, const QByteArray& text) {
    path = Write(name, text);
    return docs->OpenDocumentFile(path);
  }
  QByteArray OnDisk() const { return Read(path); }

  QString path;
};

// The editor's unsaved text runs, its output and exit code reach the pane,
// and the user's file is what it was.
TEST_F(ScriptRunnerTest, HiddenRunShowsTheOutputAndPutsTheScriptBack) {
  const QByteArray original = "print \"on disk\\n\";\n";
  CMyDoc* doc = Open(QStringLiteral("run.pl"), original);
  ASSERT_NE(doc, nullptr);
  // UTF-8 output (as perl prints on Linux) shows as Shift_JIS in the pane.
  frame->ActiveView()->SetText("$| = 1; print \"edited \\xe6\\x97\\xa5\\n\"; print STDERR \"oops\\n\"; exit 3;\r\n");
  answer = MsgResult::No;  // run the unsaved text
  ASSERT_TRUE(frame->Router().Query(res::ID_COMMAND_RUN).enabled);
  frame->Router().Route(res::ID_COMMAND_RUN);
  EXPECT_TRUE(frame->IsRunning());
  EXPECT_FALSE(frame->Router().Query(res::ID_COMMAND_RUN).enabled);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_EQ(Pane(), QString::fromUtf8("--- 実行開始 [>perl run.pl]\r\nedited 日\r\noops\r\n\r\n--- 実行終了 (3)\r\n"))
      << Pane().toStdString();
  EXPECT_EQ(OnDisk(), original);
  EXPECT_TRUE(doc->IsModified());
}

// Stopping an endless script ends it at once, says so, and puts the file back.
TEST_F(ScriptRunnerTest, StopEndsAnEndlessScript) {
  const QByteArray original = "$| = 1; print \"started\\n\"; $SIG{TERM} = 'IGNORE'; sleep 1 while 1;\n";
  ASSERT_NE(Open(QStringLiteral("endless.pl"), original), nullptr);
  frame->Router().Route(res::ID_COMMAND_RUN);
  ASSERT_TRUE(RunUntil([this] { return Pane().contains(QStringLiteral("started")); }));
  ASSERT_TRUE(frame->Router().Query(res::ID_COMMAND_STOP).enabled);
  frame->Router().Route(res::ID_COMMAND_STOP);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_TRUE(Pane().contains(QString::fromUtf8("started\r\n\r\n--- 強制終了\r\n--- 実行終了 ("))) << Pane().toStdString();
  EXPECT_EQ(OnDisk(), original);
}

// A save during a run is what the run's end puts back; a put-back that
// fails is told at once, and the next save ends the wait for it.
TEST_F(ScriptRunnerTest, ASaveDuringARunSurvivesItsEndAndAFailedPutBackIsTold) {
  CMyDoc* doc = Open(QStringLiteral("save.pl"), "$| = 1; print \"started\\n\"; sleep 1 while 1;\n");
  ASSERT_NE(doc, nullptr);
  frame->Router().Route(res::ID_COMMAND_RUN);
  ASSERT_TRUE(RunUntil([this] { return Pane().contains(QStringLiteral("started")); }));
  frame->ActiveView()->SetText("# saved during the run\r\n$| = 1; print \"again\\n\"; sleep 1 while 1;\r\n");
  frame->Router().Route(res::ID_FILE_SAVE);
  const QByteArray saved = OnDisk();
  ASSERT_TRUE(saved.startsWith("# saved during the run"));
  frame->Router().Route(res::ID_COMMAND_STOP);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_EQ(OnDisk(), saved);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();

  // The kept bytes go bad during the next run: nothing is written back.
  frame->Router().Route(res::ID_COMMAND_RUN);
  ASSERT_TRUE(RunUntil([this] { return Pane().contains(QStringLiteral("again")); }));
  const QDir runs(QFile::decodeName(qgetenv("XDG_STATE_HOME")) + QStringLiteral("/Corvella/runs"));
  for (const QString& name : runs.entryList({QStringLiteral("*.bytes")})) {
    QFile bytes(runs.filePath(name));
    ASSERT_TRUE(bytes.open(QIODevice::WriteOnly));
    bytes.write("bad");
  }
  const QByteArray runCopy = OnDisk();
  frame->Router().Route(res::ID_COMMAND_STOP);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning() && !messages.isEmpty(); }));
  EXPECT_TRUE(messages[0].startsWith(path + QString::fromUtf8(" を実行前の内容に戻せませんでした。"))) << messages[0].toStdString();
  EXPECT_EQ(OnDisk(), runCopy);
  frame->Router().Route(res::ID_FILE_SAVE);
  EXPECT_TRUE(runs.entryList({QStringLiteral("*.run")}).isEmpty());
  EXPECT_EQ(OnDisk(), saved);
}

// The syntax check reports the broken line; an interpreter the Perl folder
// does not hold is said in the pane, and the script is put back either way.
TEST_F(ScriptRunnerTest, SyntaxCheckAndAMissingInterpreter) {
  const QByteArray broken = "my $x = ;\nprint 1;\n";
  ASSERT_NE(Open(QStringLiteral("broken.pl"), broken), nullptr);
  frame->Router().Route(res::ID_COMMAND_SYNTAX_CHECK);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_TRUE(Pane().startsWith(QString::fromUtf8("--- 実行開始 [>perl -c broken.pl]\r\nsyntax error at broken.pl line 1")))
      << Pane().toStdString();
  EXPECT_TRUE(Pane().endsWith(QString::fromUtf8("--- 実行終了 (255)\r\n")));

  QTemporaryDir empty;
  frame->GetSettings().m_szPerlDir = empty.path().toStdString();
  frame->GetSettings().UsePerl = 1;
  frame->Router().Route(res::ID_COMMAND_RUN);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_TRUE(Pane().contains(QString::fromUtf8("'jperl broken.pl'を実行出来ません。(Error:2)"))) << Pane().toStdString();
  EXPECT_EQ(OnDisk(), broken);
}

// A script or a macro whose name begins with "-" runs as itself: perl
// would take the bare name for an option.
TEST_F(ScriptRunnerTest, NamesThatLookLikeOptionsStillRun) {
  ASSERT_NE(Open(QStringLiteral("-e.pl"), "print \"ran\\n\";\n"), nullptr);
  frame->Router().Route(res::ID_COMMAND_WARN_RUN);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_EQ(Pane(), QString::fromUtf8("--- 実行開始 [>perl -w ./-e.pl]\r\nran\r\n\r\n--- 実行終了 (0)\r\n"))
      << Pane().toStdString();

  const QString macro = QFile::decodeName(QByteArray::fromStdString(JoinPath(ProgramFolder(), "macro"))) +
                        QStringLiteral("/-corvella-test-dash.pl");
  QDir().mkpath(QFileInfo(macro).path());
  QFile file(macro);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("print 'from the macro';");
  file.close();
  docs->OnFileNew();
  frame->Runner().RunMacro(*frame->ActiveView(), "-corvella-test-dash");
  QFile::remove(macro);
  EXPECT_EQ(frame->ActiveView()->Buffer().GetText(), "from the macro");
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

// A script name and arguments full of what a shell would act on arrive as
// typed; the interpreter comes from the Perl folder, not the editor's PATH.
TEST_F(ScriptRunnerTest, NamesAndArgumentsArriveAsTypedFromThePerlFolder) {
  QTemporaryDir perlFolder;
  QFile fake(perlFolder.filePath(QStringLiteral("jperl")));
  ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
  fake.write("#!/bin/sh\nprintf 'fake'; for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo\n");
  fake.close();
  fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  frame->GetSettings().m_szPerlDir = perlFolder.path().toStdString();
  frame->GetSettings().UsePerl = 1;

  CMyDoc* doc = Open(QStringLiteral("my 'x' $(touch y);`z`.pl"), "1;\n");
  ASSERT_NE(doc, nullptr);
  frame->Runner().RunHidden(*doc, std::string("a 'b c' \"d e\" $HOME;"), " -w");
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  EXPECT_TRUE(Pane().contains(QStringLiteral("fake[-w][my 'x' $(touch y);`z`.pl][a]['b][c'][d e][$HOME;]\r\n")))
      << Pane().toStdString();
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("y"))));
}

// A terminal that hands its window to a server returns at once; the run
// lasts until the script itself says it is over (after its pause).
TEST_F(ScriptRunnerTest, ConsoleRunEndsWhenItsScriptSaysSo) {
  QTemporaryDir terminalFolder;
  const QString log = terminalFolder.filePath(QStringLiteral("terminal.log"));
  const QString terminal = terminalFolder.filePath(QStringLiteral("terminal"));
  QFile stand(terminal);
  ASSERT_TRUE(stand.open(QIODevice::WriteOnly));
  // Drops "-e", runs the rest in the background with Enter typed, returns.
  stand.write("#!/bin/sh\nshift\n(sleep 0.3; printf '\\n' | \"$@\" > '" + log.toUtf8() + "' 2>&1) &\nexit 0\n");
  stand.close();
  stand.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ChildEnvironment::Shared().Set("CORVELLA_TERMINAL", terminal.toStdString());
  frame->GetSettings().InsideMode = false;

  const QByteArray original = "print \"on disk\\n\";\n";
  ASSERT_NE(Open(QStringLiteral("console run.pl"), original), nullptr);
  frame->ActiveView()->SetText("print \"from the editor\\n\";\r\n");
  answer = MsgResult::No;
  frame->Router().Route(res::ID_COMMAND_RUN);
  EXPECT_TRUE(frame->IsRunning());
  EXPECT_FALSE(frame->Router().Query(res::ID_COMMAND_STOP).enabled);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  ChildEnvironment::Shared().Set("CORVELLA_TERMINAL", std::nullopt);
  QFile shown(log);
  ASSERT_TRUE(shown.open(QIODevice::ReadOnly));
  const QByteArray text = shown.readAll();
  EXPECT_TRUE(text.startsWith("perl \"console run.pl\"\nfrom the editor\n")) << text.toStdString();
  EXPECT_EQ(OnDisk(), original);
}

// Enter (or a double-click) on Perl's "at FILE line N." in the pane goes to
// that line of that file, opening it when needed.
TEST_F(ScriptRunnerTest, ErrorLinesInThePaneLeadToTheirPlace) {
  CMyDoc* failing = Open(QStringLiteral("fails.pl"), "use strict;\nmy $x = 1;\ndie \"broken\";\n");
  ASSERT_NE(failing, nullptr);
  frame->Router().Route(res::ID_COMMAND_RUN);
  ASSERT_TRUE(RunUntil([this] { return !frame->IsRunning(); }));
  docs->OnFileNew();  // another document is active now
  EditControl& pane = frame->OutputBar()->Edit();
  const std::string text = pane.Buffer().GetText();
  const std::size_t at = text.find("broken at fails.pl line 3.");
  ASSERT_NE(at, std::string::npos) << text;
  pane.SetSel(at + 2, at + 2);
  pane.setFocus();
  QTest::keyClick(&pane, Qt::Key_Return);
  QCoreApplication::processEvents();
  CMyView* view = frame->ActiveView();
  ASSERT_NE(view, nullptr);
  const EditBuffer& buffer = view->Buffer();
  EXPECT_EQ(buffer.GetText(buffer.GetSel().Start(), buffer.GetSel().End()), "die \"broken\";");
}

// F9: the CGI dialog's choices reach the script as a web server would pass
// them, its output lands in "<script>_stdout.htm" for the browser, and
// afterwards the CGI variables are empty again and the script is back; the
// page is deleted when its window closes.
TEST_F(ScriptRunnerTest, BrowserRunPassesTheFormAndOpensThePage) {
  const QByteArray original =
      "print \"Content-Type: text/html\\n\\n\", join('|', map { \"$_=$ENV{$_}\" } qw(REQUEST_METHOD QUERY_STRING "
      "CONTENT_LENGTH X_EXTRA)), '|', scalar(<STDIN>) // '', '|', join(',', @ARGV);\n";
  ASSERT_NE(Open(QStringLiteral("form.cgi"), original), nullptr);
  QStringList opened;
  responders.SetDesktopOpen([&opened](const QUrl& page) {
    opened << page.toLocalFile();
    return true;
  });
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<CCgiDlg*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->findChildren<QRadioButton*>().first()->setChecked(true);  // POST
    dialog->NameField()->setText(QStringLiteral("q"));
    dialog->ValueField()->setPlainText(QStringLiteral("a b&c"));
    dialog->OnSet();
    dialog->findChildren<QLineEdit*>().first()->setText(QStringLiteral("x y"));  // the arguments
    const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
    fields[fields.size() - 2]->setText(QStringLiteral("X_EXTRA"));
    fields.last()->setText(QStringLiteral("kept"));
    dialog->accept();
  });
  frame->Router().Route(res::ID_COMMAND_BROWSER);
  const QString page = path + QStringLiteral("_stdout.htm");
  responders.SetDesktopOpen({});
  ASSERT_EQ(opened, QStringList{page});
  QFile out(page);
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  EXPECT_EQ(out.readAll(), QByteArray("Content-Type: text/html\n\nREQUEST_METHOD=POST|QUERY_STRING=x y|"
                                      "CONTENT_LENGTH=9|X_EXTRA=kept|q=a+b%26c|x,y"));
  EXPECT_EQ(ChildEnvironment::Shared().Get("REQUEST_METHOD"), std::string());
  EXPECT_EQ(ChildEnvironment::Shared().Get("X_EXTRA"), std::string("kept"));
  EXPECT_EQ(OnDisk(), original);
  ChildEnvironment::Shared().Set("X_EXTRA", std::nullopt);
  // The page goes with the window it was made from.
  out.close();
  docs->CloseAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(QFile::exists(page));
}

// A CGI run broken off from its wait dialog hands no page to the browser:
// the page would hold only what the script printed so far.
TEST_F(ScriptRunnerTest, BrowserRunBrokenOffOpensNoPage) {
  const QByteArray original = "$| = 1; print \"Content-Type: text/html\\n\\n\"; sleep 1 while 1;\n";
  ASSERT_NE(Open(QStringLiteral("endless.cgi"), original), nullptr);
  const QString page = path + QStringLiteral("_stdout.htm");
  QStringList opened;
  responders.SetDesktopOpen([&opened](const QUrl& shown) {
    opened << shown.toLocalFile();
    return true;
  });
  QTimer::singleShot(0, [] {
    if (auto* dialog = qobject_cast<CCgiDlg*>(QApplication::activeModalWidget())) dialog->accept();
  });
  // Once the header is written and the wait dialog is up, 中断.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&poll, &page] {
    QWidget* wait = QApplication::activeModalWidget();
    if (!wait || qobject_cast<CCgiDlg*>(wait) || QFileInfo(page).size() == 0) return;
    for (QPushButton* button : wait->findChildren<QPushButton*>()) {
      if (button->text() == QString::fromUtf8(str::kBreakOff)) {
        poll.stop();
        button->click();
      }
    }
  });
  poll.start(20);
  frame->Router().Route(res::ID_COMMAND_BROWSER);
  responders.SetDesktopOpen({});
  EXPECT_FALSE(poll.isActive());
  EXPECT_TRUE(opened.isEmpty()) << opened.join(QLatin1Char(' ')).toStdString();
  EXPECT_EQ(OnDisk(), original);
}

// The template and macro menus list the folders' ".pl" files, sorted, each
// time a menu opens; a template goes in at the caret with CR LF line ends.
TEST_F(ScriptRunnerTest, TemplateAndMacroMenusFollowTheirFolders) {
  const QString templates = QFile::decodeName(QByteArray::fromStdString(JoinPath(ProgramFolder(), "template")));
  const QString macros = QFile::decodeName(QByteArray::fromStdString(JoinPath(ProgramFolder(), "macro")));
  QDir().mkpath(templates);
  QDir().mkpath(macros);
  const QStringList made{templates + QStringLiteral("/zz-test-c.pl"), templates + QStringLiteral("/zz-test-a.b.pl"),
                         macros + QStringLiteral("/zz-test-m.pl")};
  for (const QString& file : made) {
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write("first\nsecond");
  }
  docs->OnFileNew();
  CMyView* view = frame->ActiveView();
  view->SetText("<>");
  view->SetSel(1, 1);
  QMenu* templateMenu = nullptr;
  QMenu* macroMenu = nullptr;
  const QList<QAction*> bar = frame->menuBar()->actions();
  for (qsizetype i = 0; i + 1 < bar.size(); ++i) {
    QMenu* popup = bar[i]->menu();
    if (popup && !popup->actions().isEmpty() &&
        popup->actions().first() == frame->Router().Action(res::ID_TEMPLATE_ADD)) {
      templateMenu = popup;
      macroMenu = bar[i + 1]->menu();
    }
  }
  ASSERT_TRUE(templateMenu && macroMenu);
  emit templateMenu->aboutToShow();
  QStringList listed;
  for (QAction* item : templateMenu->actions()) {
    if (item->text().startsWith(QStringLiteral("zz-test"))) listed << item->text();
  }
  EXPECT_EQ(listed, (QStringList{QStringLiteral("zz-test-a.b"), QStringLiteral("zz-test-c")}));
  const QList<QAction*> macroItems = macroMenu->actions();
  EXPECT_FALSE(macroItems.first()->isSeparator());
  EXPECT_TRUE(std::any_of(macroItems.begin(), macroItems.end(),
                          [](QAction* a) { return a->text() == QStringLiteral("zz-test-m"); }));
  const int index = static_cast<int>(frame->Templates().Templates().indexOf(QStringLiteral("zz-test-a.b")));
  frame->Router().Route(res::ID_TEMPLATE_FIRST + index);
  EXPECT_EQ(view->Buffer().GetText(), "<first\r\nsecond\r\n>");
  view->OnEditUndo();
  EXPECT_EQ(view->Buffer().GetText(), "<>");

  // The script added as a template, under the name asked for; an existing
  // one is replaced only when the user says so.
  QString proposed;
  frame->Templates().SetNameAsker([&proposed](QString& name) {
    proposed = name;
    name = QStringLiteral("zz-test-new");
    return true;
  });
  frame->Router().Route(res::ID_TEMPLATE_ADD);
  EXPECT_EQ(proposed, QStringLiteral("untitled1"));
  const QString added = templates + QStringLiteral("/zz-test-new.pl");
  QFile saved(added);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("<>"));
  saved.close();
  view->SetText("changed");
  answer = MsgResult::No;
  frame->Router().Route(res::ID_TEMPLATE_ADD);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("<>"));
  EXPECT_EQ(messages.size(), 1);

  // The organiser opens a template as a document of its own.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<CTemplateListDlg*>(QApplication::activeModalWidget());
    if (!dialog) return;
    const QList<QListWidgetItem*> found = dialog->List()->findItems(QStringLiteral("zz-test-c"), Qt::MatchExactly);
    if (!found.isEmpty()) dialog->List()->setCurrentItem(found.first());
    dialog->OnEdit();
  });
  frame->Router().Route(res::ID_TEMPLATE_ORGANIZE);
  ASSERT_NE(docs->ActiveDocument(), nullptr);
  EXPECT_EQ(docs->ActiveDocument()->GetPathName(), templates + QStringLiteral("/zz-test-c.pl"));
  QFile::remove(added);
  for (const QString& file : made) QFile::remove(file);
}

// A macro filters the selection: its output replaces it undoably (the
// deletion and the insertion are a step each, as every replacement),
// its standard error is shown, and one that never ends can be broken off.
TEST_F(ScriptRunnerTest, MacrosFilterTheSelection) {
  const QString macros = QFile::decodeName(QByteArray::fromStdString(JoinPath(ProgramFolder(), "macro")));
  QDir().mkpath(macros);
  const auto write = [&macros](const char* name, const char* text) {
    QFile file(macros + QLatin1Char('/') + QLatin1String(name));
    file.open(QIODevice::WriteOnly);
    file.write(text);
  };
  write("corvella-test-upper.pl", "while (<STDIN>) { print uc; } print STDERR \"done\\n\";");
  write("corvella-test-endless.pl", "1 while 1;");
  docs->OnFileNew();
  CMyView* view = frame->ActiveView();
  view->SetText("abc\r\ndef\r\nghi");
  view->SetSel(0, 8);  // "abc\r\ndef" and the CR LF after it
  frame->Runner().RunMacro(*view, "corvella-test-upper");
  EXPECT_EQ(view->Buffer().GetText(), "ABC\r\nDEF\r\nghi");
  view->SetSel(13, 13);  // nothing selected: the output goes in at the caret
  write("corvella-test-hello.pl", "print \"!\";");
  frame->Runner().RunMacro(*view, "corvella-test-hello");
  EXPECT_EQ(view->Buffer().GetText(), "ABC\r\nDEF\r\nghi!");
  view->OnEditUndo();
  EXPECT_EQ(messages, QStringList{QStringLiteral("done\r\n")});
  view->OnEditUndo();
  view->OnEditUndo();
  EXPECT_EQ(view->Buffer().GetText(), "abc\r\ndef\r\nghi");

  // Broken off from the dialog that comes up while it runs: nothing changes.
  QTimer::singleShot(800, [] {
    if (QWidget* wait = QApplication::activeModalWidget()) {
      for (QPushButton* button : wait->findChildren<QPushButton*>()) button->click();
    }
  });
  view->SetSel(0, 3);
  frame->Runner().RunMacro(*view, "corvella-test-endless");
  EXPECT_EQ(view->Buffer().GetText(), "abc\r\ndef\r\nghi");
  QFile::remove(macros + QStringLiteral("/corvella-test-upper.pl"));
  QFile::remove(macros + QStringLiteral("/corvella-test-endless.pl"));
  QFile::remove(macros + QStringLiteral("/corvella-test-hello.pl"));
}

}  // namespace
