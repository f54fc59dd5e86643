// Shell "open" requests between two starts of the program: a second start hands the files it was given to the running one over a local socket of the user and display.
#pragma once

#include <functional>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

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
  // Starts answering later starts; `open` receives each file they hand over,
  // from the event loop and never while a modal dialog is open: the files
  // wait until it has gone.
  // False when another program answers on the socket already.
  bool Listen(std::function<void(const QString& file)> open);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Receive(QLocalSocket& socket, QByteArray& pending);
  void ScheduleDispatch();
  void Dispatch();
  void WaitFor(QObject* modal);

  QString m_name;
  QLocalServer* m_server = nullptr;
  std::function<void(const QString&)> m_open;
  QStringList m_queue;         // files taken, not yet handed to `open`
  QPointer<QObject> m_modal;   // the modal dialog the queue waits for
  bool m_dispatching = false;  // `open` runs: a nested loop must not start another round
};

}  // namespace corvella
