// One documentation lookup: runs perldoc for each call in turn, in the background and with a time limit, until one finds the page.
#pragma once

#include <vector>

#include <QObject>
#include <QString>

#include "run/PerldocLookup.h"

class QProcess;
class QTimer;

namespace corvella {

class PerldocRun : public QObject {
  Q_OBJECT

 public:
  // A call that neither ends nor writes within this is given up.
  static constexpr int kTimeoutMs = 20000;

  // Starts the first call at once. `program` is the perldoc to run.
  PerldocRun(QString program, std::vector<PerldocCall> calls, QObject* parent = nullptr);
  // A call still running is killed: a newer lookup replaces this one.
  ~PerldocRun() override;

  // perldoc in the Perl folder `perlFolder` when it holds one, else from PATH;
  // empty when there is none.
  static QString FindPerldoc(const QString& perlFolder);

 signals:
  // The page's text; `section` is the heading the call asked to show.
  void found(const QString& text, const QString& section);
  // No call found anything.
  void notFound();
  // perldoc could not be started or did not answer in time.
  void failed();

 private:
  void StartNext();
  void Finished(int exitCode, bool crashed);
  void Stop();

  QString m_program;
  std::vector<PerldocCall> m_calls;
  std::size_t m_next = 0;
  QProcess* m_process = nullptr;
  QTimer* m_timer;
};

}  // namespace corvella
