// Handing files from a second start to the running program over the local socket.
#include "app/InstanceChannel.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFuture>
#include <QLocalSocket>
#include <QThread>

#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/DesktopSession.h"

using namespace corvella;

namespace {

// The second start runs beside this event loop, as another process would.
bool SendFromAnotherStart(const QString& name, const QStringList& files) {
  bool taken = false;
  QThread* second = QThread::create([&] { taken = InstanceChannel(name).SendToRunning(files); });
  second->start();
  while (!second->isFinished()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  second->wait();
  // The files taken are handed on from the event loop.
  QCoreApplication::processEvents();
  delete second;
  return taken;
}

TEST(InstanceChannel, ASecondStartHandsItsFilesToTheRunningOne) {
  const QString name = QStringLiteral("corvella-test-%1").arg(QCoreApplication::applicationPid());
  InstanceChannel running(name);
  QStringList received;
  ASSERT_TRUE(running.Listen([&](const QString& file) { received << file; }));

  EXPECT_TRUE(SendFromAnotherStart(name, {QStringLiteral("/tmp/a.pl"), QStringLiteral("rel/b.cgi")}));
  EXPECT_EQ(received, (QStringList{QStringLiteral("/tmp/a.pl"), QDir::current().absoluteFilePath("rel/b.cgi")}));

  // Nobody listening: the start goes on by itself.
  EXPECT_FALSE(InstanceChannel(name + QStringLiteral("-none")).SendToRunning({QStringLiteral("/tmp/a.pl")}));
}

// A file handed over while a dialog is open is opened once it has gone:
// nothing new comes up behind a dialog that waits for an answer.
TEST(InstanceChannel, FilesWaitUntilTheModalDialogHasGone) {
  const QString name = QStringLiteral("corvella-test-modal-%1").arg(QCoreApplication::applicationPid());
  InstanceChannel running(name);
  QStringList received;
  ASSERT_TRUE(running.Listen([&](const QString& file) { received << file; }));
  QDialog settings;
  settings.setWindowModality(Qt::ApplicationModal);
  settings.show();
  ASSERT_TRUE(SendFromAnotherStart(name, {QStringLiteral("/tmp/a.pl")}));
  ASSERT_TRUE(SendFromAnotherStart(name, {QStringLiteral("/tmp/b.pl")}));
  EXPECT_TRUE(received.isEmpty());
  settings.hide();
  QCoreApplication::processEvents();
  EXPECT_EQ(received, (QStringList{QStringLiteral("/tmp/a.pl"), QStringLiteral("/tmp/b.pl")}));

  // A dialog destroyed without being hidden first ends the wait as well.
  auto* about = new QDialog;
  about->setWindowModality(Qt::ApplicationModal);
  about->show();
  ASSERT_TRUE(SendFromAnotherStart(name, {QStringLiteral("/tmp/c.pl")}));
  EXPECT_EQ(received.size(), 2);
  delete about;
  QCoreApplication::processEvents();
  EXPECT_EQ(received.last(), QStringLiteral("/tmp/c.pl"));
}

// Opening a file may show a message box; while it waits for the user, the
// start that handed the file over ends and its connection goes. Three quick
// starts once crashed the program this way.
TEST(InstanceChannel, AnOpeningThatWaitsOutlivesTheConnection) {
  const QString name = QStringLiteral("corvella-test-box-%1").arg(QCoreApplication::applicationPid());
  InstanceChannel running(name);
  QStringList received;
  ASSERT_TRUE(running.Listen([&](const QString& file) {
    received << file;
    // The box's own loop, left only when the connection has been freed.
    auto* socket = running.findChild<QLocalSocket*>();
    if (!socket || socket->state() != QLocalSocket::ConnectedState) return;
    QEventLoop box;
    QObject::connect(socket, &QObject::destroyed, &box, &QEventLoop::quit);
    box.exec();
  }));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(SendFromAnotherStart(name, {QStringLiteral("/tmp/hello.pl")}));
  EXPECT_EQ(received.size(), 3);
}

// Each display has its own channel; a socket file nobody serves is taken
// over, one that another program serves is left to it.
TEST(InstanceChannel, OneChannelPerDisplayAndStaleSocketsTakenOver) {
  QTemporaryDir runtime;
  const std::string folder = runtime.path().toStdString();
  const QString first = QString::fromStdString(InstanceSocketPath(folder, "/tmp/", 1000, ":0"));
  const QString second = QString::fromStdString(InstanceSocketPath(folder, "/tmp/", 1000, "wayland-1"));
  ASSERT_NE(first, second);
  InstanceChannel a(first), b(second);
  EXPECT_TRUE(a.Listen({}));
  EXPECT_TRUE(b.Listen({}));
  EXPECT_FALSE(InstanceChannel(first).Listen({}));
  EXPECT_TRUE(SendFromAnotherStart(first, {QStringLiteral("/tmp/x.pl")}));

  // A program that died leaves its socket file behind.
  const QString stale = runtime.filePath(QStringLiteral("stale"));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", stale.toLocal8Bit().constData());
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ::close(fd);
  ASSERT_TRUE(QFileInfo::exists(stale));
  InstanceChannel taker(stale);
  EXPECT_TRUE(taker.Listen({}));
  EXPECT_TRUE(SendFromAnotherStart(stale, {QStringLiteral("/tmp/y.pl")}));
}

}  // namespace
