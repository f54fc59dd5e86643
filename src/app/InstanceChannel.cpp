// Shell "open" requests between two starts of the program: a second start hands the files it was given to the running one over a local socket of the user and display.
#include "app/InstanceChannel.h"

#include <memory>

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

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
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      auto pending = std::make_shared<QByteArray>();
      connect(socket, &QLocalSocket::readyRead, this, [this, socket, pending] {
        *pending += socket->readAll();
        if (!pending->endsWith("\n\n")) return;
        const QList<QByteArray> lines = pending->split('\n');
        pending->clear();
        socket->write("ok");
        socket->flush();
        for (const QByteArray& line : lines) {
          if (!line.isEmpty() && m_open) m_open(QString::fromUtf8(line));
        }
      });
    }
  });
  return true;
}

}  // namespace corvella
