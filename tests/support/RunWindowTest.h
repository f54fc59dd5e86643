// A main window whose runs use the perl in /usr/bin with the output pane: scripts written to a temporary folder, the pane's text, and a wait for what a run does.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include "app/OutputBar.h"
#include "editor/Cp932Text.h"
#include "editor/EditControl.h"
#include "support/MainWindowTest.h"

namespace corvella {

class RunWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    CreateFrame();
    frame->GetSettings().m_szPerlDir = "/usr/bin";
    frame->GetSettings().InsideMode = true;
  }
  // The path of `name` in the folder, now holding `bytes`.
  QString Write(const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  static QByteArray Read(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }
  QString Pane() const { return SjisToQString(frame->OutputBar()->Edit().Buffer().GetText()); }
  // Lets the event loop run until `done` holds (or a generous guard passes).
  template <typename Done>
  bool RunUntil(Done done) {
    QDeadlineTimer guard(30000);
    while (!done() && !guard.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
  }

  QTemporaryDir dir;
};

}  // namespace corvella
