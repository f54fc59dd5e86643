// The run in a terminal window of its own, which waits for Enter at the end; the editor learns the run's end from the run's shell script.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include <QPointer>

#include "base/MessageBox.h"
#include "run/ScriptRun.h"

class QWidget;

namespace corvella {

class ConsoleRun;
struct Settings;

class ConsoleScriptRun : public ScriptRun {
 public:
  ConsoleScriptRun(RunTarget target, const Settings& settings, QWidget* window, PutBack putBack, Ended ended);
  ~ConsoleScriptRun() override;

  // Writes the run's shell scripts and starts the terminal.
  bool Start() override;
  bool CanStop() const override { return false; }
  void Stop() override {}
  // Tells when the terminal could not be started.
  void Close() override;

  // Writes the shell script the terminal runs ("BatchPath" of the Settings);
  // false (after saying why over `window`) when it cannot be.
  static bool WriteConsoleScript(const Settings& settings, const std::string& script, QWidget* window,
                                 MsgIcon failureIcon);

 private:
  RunTarget m_target;
  const Settings& m_settings;
  QPointer<QWidget> m_window;
  PutBack m_putBack;
  Ended m_ended;
  std::string m_batchPath;  // as it was when the run started
  std::atomic<bool> m_started{true};
  std::atomic<int> m_error{0};
  std::unique_ptr<ConsoleRun> m_worker;
};

}  // namespace corvella
