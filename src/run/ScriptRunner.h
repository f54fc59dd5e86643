// The script runner: the run commands of every script view, the run state, the hidden run's output on its way into the output pane, stopping.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

#include "base/MessageBox.h"

class QWidget;

namespace corvella {

class CMyDoc;
class ConsoleRun;
class CMyView;
class CommandMap;
class HiddenRun;
class Profile;
struct Settings;

class ScriptRunner : public QObject {
  Q_OBJECT

 public:
  // The output pane, which the main frame owns.
  struct Pane {
    std::function<void()> show;
    std::function<void(std::string_view)> set;
    std::function<void(std::string_view)> append;
    std::function<std::string()> text;
    std::size_t limit = 0;
  };

  ScriptRunner(Settings& settings, Profile& profile, Pane pane, QWidget* window);
  // A run still going is stopped and waited for.
  ~ScriptRunner() override;

  // The run commands of `view`, whose document is `doc`.
  void AttachView(CMyView* view, CMyDoc* doc);
  // Stop, version and configuration: commands of the main frame.
  void RegisterFrameCommands(CommandMap& commands);

  // A console or hidden run is in progress; set before its worker starts, so
  // that two runs never overlap.
  bool IsRunning() const { return m_bRunning; }
  void SetRunning(bool running) { m_bRunning = running; }
  const std::string& RunScript() const { return m_strRunScript; }

  // `arguments`: none, or the text of the arguments dialog (maybe empty);
  // `option`: "", " -c", " -d" or " -w".
  void RunHidden(CMyDoc& doc, const std::optional<std::string>& arguments, std::string_view option);
  // The run in a terminal window of its own, which waits for Enter at the end.
  void RunInConsole(CMyDoc& doc, const std::optional<std::string>& arguments, std::string_view option);
  // The filter run: "perl" on macro/<name>.pl beside the program with the
  // selection (LF lines) on standard input; what it prints replaces the
  // selection as one undo step, what it writes to standard error is shown.
  // A macro that does not end can be broken off and changes nothing.
  void RunMacro(CMyView& view, const std::string& name);
  // The emulated CGI call: the CGI dialog, the script run with the CGI
  // environment, its standard output into "<script>_stdout.htm", which the
  // desktop then opens. The window keeps painting during the run, which can
  // be broken off (its page is then not opened); the script file is put back
  // whatever happens.
  void RunInBrowser(CMyDoc& doc, CMyView& view);
  // How the output page is opened (the desktop's default handler).
  // Asks a hidden run to end; its worker kills the child at once.
  void Stop();
  // "perl -v" (or "jperl -v") and "perl -V" in a terminal; no run state.
  void ShowPerlVersion();
  void ShowPerlConfig();

 signals:
  void runFinished();

 private:
  bool CanRun(const CMyDoc* doc) const;
  // The common start of a console and a hidden run: the run copy written, the
  // script's folder current, the command line shown and the words run.
  struct Target {
    std::string script, folder, line;
    std::vector<std::string> argv;
  };
  std::optional<Target> Prepare(CMyDoc& doc, const std::optional<std::string>& arguments, std::string_view option);
  void Run(CMyDoc* doc, bool askArguments, std::string_view option, bool console);
  // Worker side: text for the pane, collected until the event loop takes it.
  void Queue(std::string text, bool replace);
  // User-interface side.
  Q_INVOKABLE void Drain();
  void Finish();
  // Puts the user's bytes back at a run's end, from any thread; a failure is
  // told at once, as the file then still holds the run copy.
  bool PutBack(const std::string& script);
  void ShowInTerminal(const std::vector<std::string>& argv);
  // Writes the console script; false (after saying why) when it cannot be.
  bool WriteConsoleScript(const std::string& script, MsgIcon failureIcon);

  Settings& m_settings;
  Profile& m_profile;
  Pane m_pane;
  QPointer<QWidget> m_window;

  std::atomic<bool> m_bRunning{false};
  bool m_bConsoleRun = false;
  std::string m_strRunCommand;
  std::string m_strRunScript;
  std::mutex m_csRun;
  std::unique_ptr<HiddenRun> m_hidden;
  std::unique_ptr<ConsoleRun> m_console;
  std::vector<std::unique_ptr<ConsoleRun>> m_displays;  // version and configuration windows

  std::mutex m_queueLock;
  std::string m_queued;
  bool m_queuedReplace = false;
  std::atomic<bool> m_drainPosted{false};
  std::condition_variable m_drained;
  bool m_closing = false;
  std::size_t m_shownLength = 0;
};

}  // namespace corvella
