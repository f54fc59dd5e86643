// Shell "open" requests between two starts of the program: a second start hands the files it was given to the running one over a local socket of the user and display.
#pragma once

#include <functional>

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace corvella {

class InstanceChannel : public QObject {
  Q_OBJECT

 public:
  // `name` names the socket; DefaultName() is one per user and display.
  explicit InstanceChannel(QString name = DefaultName(), QObject* parent = nullptr);
  ~InstanceChannel() override;

  static QString DefaultName();

  // Hands `files` (made absolute) to a running program; true when one took them.
  bool SendToRunning(const QStringList& files) const;
  // Starts answering later starts; `open` receives each file they hand over.
  // False when another program answers on the socket already.
  bool Listen(std::function<void(const QString& file)> open);

 private:
  QString m_name;
  QLocalServer* m_server = nullptr;
  std::function<void(const QString&)> m_open;
};

}  // namespace corvella
