// Shell "open" requests between two starts of the program: a second start hands the files it was given to the running one over a local socket of the user and display.
#include "app/InstanceChannel.h"

#include <memory>

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QScopedValueRollback>
#include <QWidget>

#include "platform/DesktopSession.h"

namespace corvella {
namespace {

constexpr int kTimeoutMs = 2000;

bool Answers(const QString& name) {
  QLocalSocket socket;
  socket.connectToServer(name);
  return socket.waitForConnected(kTimeoutMs);
}

}  // namespace

InstanceChannel::InstanceChannel(QString name, QObject* parent) : QObject(parent), m_name(std::move(name)) {}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::DefaultName() { return QString::fromLocal8Bit(InstanceSocketPath()); }

bool InstanceChannel::SendToRunning(const QStringList& files) const {
  QLocalSocket socket;
  socket.connectToServer(m_name);
  if (!socket.waitForConnected(kTimeoutMs)) return false;
  QStringList absolute;
  for (const QString& file : files) absolute << QFileInfo(file).absoluteFilePath();
  // One path per line, UTF-8; the answer "ok" says the files were taken.
  socket.write(absolute.join(QLatin1Char('\n')).toUtf8() + "\n\n");
  if (!socket.waitForBytesWritten(kTimeoutMs) || !socket.waitForReadyRead(kTimeoutMs)) return false;
  return socket.readAll().startsWith("ok");
}

bool InstanceChannel::Listen(std::function<void(const QString& file)> open) {
  // Another copy of the program still serves the socket: it stays its own.
  // (Listening would not fail: with access options Qt moves its new socket
  // over the old one.)
  if (Answers(m_name)) return false;
  m_open = std::move(open);
  m_server = new QLocalServer(this);
  m_server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!m_server->listen(m_name)) {
    // A socket left behind by a program that ended without closing it.
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name)) return false;
  }
  connect(m_server, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
      // Freed by the event loop only: a socket deleted while one of its own
      // signals is still being delivered takes the program down.
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      auto pending = std::make_shared<QByteArray>();
      connect(socket, &QLocalSocket::readyRead, this, [this, socket, pending] { Receive(*socket, *pending); });
    }
  });
  return true;
}

// Only queues: opening a file may show a message box, whose nested event
// loop would run while this socket's signal is still on the stack.
void InstanceChannel::Receive(QLocalSocket& socket, QByteArray& pending) {
  pending += socket.readAll();
  if (!pending.endsWith("\n\n")) return;
  for (const QByteArray& line : pending.split('\n')) {
    if (!line.isEmpty()) m_queue << QString::fromUtf8(line);
  }
  pending.clear();
  socket.write("ok");
  socket.flush();
  ScheduleDispatch();
}

void InstanceChannel::ScheduleDispatch() {
  QMetaObject::invokeMethod(this, &InstanceChannel::Dispatch, Qt::QueuedConnection);
}

void InstanceChannel::Dispatch() {
  if (m_dispatching) return;
  const QScopedValueRollback<bool> running(m_dispatching, true);
  while (!m_queue.isEmpty()) {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      WaitFor(modal);
      return;
    }
    const QString file = m_queue.takeFirst();
    if (m_open) m_open(file);
  }
}

// The dialog may be hidden and kept, or destroyed: either ends the wait.
void InstanceChannel::WaitFor(QObject* modal) {
  if (m_modal == modal) return;
  if (m_modal) m_modal->removeEventFilter(this);
  m_modal = modal;
  modal->installEventFilter(this);
  connect(modal, &QObject::destroyed, this, &InstanceChannel::ScheduleDispatch, Qt::UniqueConnection);
}

bool InstanceChannel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_modal && event->type() == QEvent::Hide) {
    m_modal->removeEventFilter(this);
    m_modal = nullptr;
    ScheduleDispatch();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace corvella
