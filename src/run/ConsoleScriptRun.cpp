// The run in a terminal window of its own, which waits for Enter at the end; the editor learns the run's end from the run's shell script.
#include "run/ConsoleScriptRun.h"

#include <QCoreApplication>
#include <QFile>
#include <QWidget>

#include "base/Settings.h"
#include "platform/AtomicFile.h"
#include "platform/ChildEnvironment.h"
#include "platform/FileNames.h"
#include "res/Strings.h"
#include "run/ConsoleRun.h"
#include "run/RunCommand.h"

namespace corvella {

ConsoleScriptRun::ConsoleScriptRun(RunTarget target, const Settings& settings, QWidget* window, PutBack putBack,
                                   Ended ended)
    : m_target(std::move(target)),
      m_settings(settings),
      m_window(window),
      m_putBack(std::move(putBack)),
      m_ended(std::move(ended)) {}

ConsoleScriptRun::~ConsoleScriptRun() = default;

bool ConsoleScriptRun::WriteConsoleScript(const Settings& settings, const std::string& script, QWidget* window,
                                          MsgIcon failureIcon) {
  const int error = WriteFileAtomically(settings.m_szBatchPath, script);
  if (error == 0) return true;
  const QString path = QFile::decodeName(QByteArray::fromStdString(settings.m_szBatchPath));
  ShowMessage(window, QString::fromUtf8(str::kConsoleScriptFailed).arg(path, QString::number(error)), failureIcon);
  return false;
}

bool ConsoleScriptRun::Start() {
  const std::string& script = m_target.script;
  const std::string marker = TempFolder() + "corvella-" + std::to_string(QCoreApplication::applicationPid()) + "-run";
  ConsoleRun::Launch launch;
  launch.startedMarker = marker + ".started";
  launch.doneMarker = marker + ".running";
  // The terminal runs a copy of its own: do_perl.sh beside the program is
  // shared with every other copy of the program, which deletes it on closing.
  launch.shellScript = marker + ".sh";
  const std::string shellScript =
      ConsoleScript(m_settings.m_szPerlDir, m_target.line, m_target.argv, launch.startedMarker, launch.doneMarker);
  // Nothing runs with the run copy left behind: a script that cannot be
  // written puts the user's file back at once.
  if (!WriteConsoleScript(m_settings, shellScript, m_window, MsgIcon::Stop) ||
      WriteFileAtomically(launch.shellScript, shellScript) != 0 || WriteFileAtomically(launch.startedMarker, {}) != 0 ||
      WriteFileAtomically(launch.doneMarker, {}) != 0) {
    for (const std::string* file : {&launch.shellScript, &launch.startedMarker, &launch.doneMarker}) RemoveIfExists(*file);
    m_putBack(script);
    return false;
  }
  launch.workingDir = m_target.folder;
  launch.environment = ChildEnvironment::Shared().Entries();
  launch.terminal = ConsoleRun::FindTerminal(launch.environment);
  m_batchPath = m_settings.m_szBatchPath;
  const std::string ownScript = launch.shellScript;
  m_worker = std::make_unique<ConsoleRun>(
      std::move(launch), [this, script] { m_putBack(script); },
      [this, ownScript](bool started, int error) {
        RemoveIfExists(ownScript);
        m_started = started;
        m_error = error;
        m_ended();
      });
  return true;
}

void ConsoleScriptRun::Close() {
  if (m_started) return;
  const QString path = QFile::decodeName(QByteArray::fromStdString(m_batchPath));
  ShowMessage(m_window, QString::fromUtf8(str::kRunCannotStart).arg(path, QString::number(m_error)), MsgIcon::Stop);
}

}  // namespace corvella
