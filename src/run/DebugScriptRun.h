// A debug session as a run: a hidden run of the interpreter under its own debugger, whose socket connects back to the editor.
#pragma once

#include <memory>
#include <string>

#include <QObject>
#include <QPointer>

#include "run/DebugConnection.h"
#include "run/HiddenScriptRun.h"

class QWidget;

namespace corvella {

class DebugScriptRun : public QObject, public ScriptRun {
  Q_OBJECT

 public:
  // As a hidden run's; what goes wrong before the start is shown over `window`.
  DebugScriptRun(RunTarget target, const Settings& settings, OutputPaneFeed::Pane pane, std::mutex& runLock,
                 PutBack putBack, Ended ended, QWidget* window, std::shared_ptr<RunInput> input = {});
  // The child first (its group killed), then the connection waiting on it.
  ~DebugScriptRun() override;

  bool Start() override;
  bool CanStop() const override { return true; }
  void Stop() override { m_run.Stop(); }
  void Close() override { m_run.Close(); }

  // Where requests go; they wait until the child's debugger has connected.
  DebugConnection& Connection() { return *m_connection; }
  // The script's path and folder, as the run started it.
  const std::string& Script() const { return m_script; }
  const std::string& Folder() const { return m_folder; }

 signals:
  // On the user-interface thread.
  void stopped(const corvella::DebugConnection::Stop& stop);
  void evaluated(const std::string& reply);

 private:
  std::string m_script, m_folder;
  PutBack m_putBack;
  QPointer<QWidget> m_window;
  std::unique_ptr<DebugConnection> m_connection;
  HiddenScriptRun m_run;
};

}  // namespace corvella
