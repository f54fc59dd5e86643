// One documentation lookup: runs perldoc for each call in turn, in the background and with a time limit, until one finds the page.
#include "run/PerldocRun.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTimer>

#include "platform/ChildEnvironment.h"

namespace corvella {
namespace {

QProcessEnvironment PerldocEnvironment() {
  QProcessEnvironment environment;
  for (const std::string& entry : ChildEnvironment::Shared().Entries()) {
    const QString text = QString::fromLocal8Bit(entry);
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq > 0) environment.insert(text.left(eq), text.mid(eq + 1));
  }
  // The user's own switches could bring back a pager or another formatter.
  environment.remove(QStringLiteral("PERLDOC"));
  return environment;
}

}  // namespace

PerldocRun::PerldocRun(QString program, std::vector<PerldocCall> calls, QObject* parent)
    : QObject(parent), m_program(std::move(program)), m_calls(std::move(calls)), m_timer(new QTimer(this)) {
  m_timer->setSingleShot(true);
  connect(m_timer, &QTimer::timeout, this, [this] {
    Stop();
    emit failed();
  });
  // Started from the event loop, so that whoever made this can connect first.
  QTimer::singleShot(0, this, &PerldocRun::StartNext);
}

PerldocRun::~PerldocRun() { Stop(); }

QString PerldocRun::FindPerldoc(const QString& perlFolder) {
  if (!perlFolder.isEmpty()) {
    const QFileInfo inFolder(QDir(perlFolder).filePath(QStringLiteral("perldoc")));
    if (inFolder.isFile() && inFolder.isExecutable()) return inFolder.filePath();
  }
  return QStandardPaths::findExecutable(QStringLiteral("perldoc"));
}

void PerldocRun::StartNext() {
  if (m_next >= m_calls.size()) {
    emit notFound();
    return;
  }
  QStringList args;
  for (const std::string& arg : m_calls[m_next].args) args << QString::fromStdString(arg);
  m_process = new QProcess(this);
  m_process->setProcessEnvironment(PerldocEnvironment());
  m_process->setStandardInputFile(QProcess::nullDevice());
  m_process->setProcessChannelMode(QProcess::SeparateChannels);
  connect(m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
    Finished(code, status == QProcess::CrashExit);
  });
  connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    Stop();
    emit failed();
  });
  m_timer->start(kTimeoutMs);
  m_process->start(m_program, args);
}

void PerldocRun::Finished(int exitCode, bool crashed) {
  m_timer->stop();
  const QString text = QString::fromUtf8(m_process->readAllStandardOutput());
  m_process->deleteLater();
  m_process = nullptr;
  const PerldocCall& call = m_calls[m_next++];
  if (!crashed && exitCode == 0 && !text.trimmed().isEmpty()) {
    emit found(text, QString::fromStdString(call.section));
    return;
  }
  StartNext();
}

void PerldocRun::Stop() {
  m_timer->stop();
  if (!m_process) return;
  // Perhaps inside the process's own signal: it goes once that returns.
  m_process->disconnect(this);
  m_process->kill();
  m_process->deleteLater();
  m_process = nullptr;
}

}  // namespace corvella
