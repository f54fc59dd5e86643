// Handing files from a second start to the running program over the local socket.
#include "app/InstanceChannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFuture>
#include <QThread>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

TEST(InstanceChannel, ASecondStartHandsItsFilesToTheRunningOne) {
  const QString name = QStringLiteral("corvella-test-%1").arg(QCoreApplication::applicationPid());
  InstanceChannel running(name);
  QStringList received;
  ASSERT_TRUE(running.Listen([&](const QString& file) { received << file; }));

  // The second start runs beside this event loop, as another process would.
  bool taken = false;
  QThread* second = QThread::create([&] {
    InstanceChannel other(name);
    taken = other.SendToRunning({QStringLiteral("/tmp/a.pl"), QStringLiteral("rel/b.cgi")});
  });
  second->start();
  while (!second->isFinished()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  second->wait();
  delete second;
  EXPECT_TRUE(taken);
  EXPECT_EQ(received, (QStringList{QStringLiteral("/tmp/a.pl"), QDir::current().absoluteFilePath("rel/b.cgi")}));

  // Nobody listening: the start goes on by itself.
  EXPECT_FALSE(InstanceChannel(name + QStringLiteral("-none")).SendToRunning({QStringLiteral("/tmp/a.pl")}));
}

}  // namespace
