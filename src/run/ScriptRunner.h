// The script runner: the run commands of every script view, the run state, and which kind of run each command starts.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QObject>
#include <QPointer>

#include "run/OutputPaneFeed.h"
#include "run/ScriptRun.h"

class QWidget;

namespace corvella {

class CgiOutputPages;
class CMyDoc;
class ConsoleRun;
class DebugScriptRun;
class CMyView;
class CommandMap;
class Profile;
class RunInput;
class ScriptRunCopy;
struct Settings;

class ScriptRunner : public QObject {
  Q_OBJECT

 public:
  using Pane = OutputPaneFeed::Pane;

  ScriptRunner(Settings& settings, Profile& profile, Pane pane, QWidget* window);
  // A run still going is stopped and waited for.
  ~ScriptRunner() override;

  // The run commands of `view`, whose document is `doc`.
  void AttachView(CMyView* view, CMyDoc* doc);
  // Stop, version, configuration and typed input: commands of the main frame.
  void RegisterFrameCommands(CommandMap& commands);
  // The step "save every modified document" before a run copy (false: the
  // user cancelled); without it the step is skipped.
  void SetSaveAllModified(std::function<bool()> saveAll) { m_saveAllModified = std::move(saveAll); }

  // A console or hidden run is in progress; two runs never overlap.
  bool IsRunning() const { return m_bRunning; }
  void SetRunning(bool running) { m_bRunning = running; }
  const std::string& RunScript() const { return m_strRunScript; }

  // `arguments`: none, or the text of the arguments dialog (maybe empty);
  // `option`: "", " -c", " -d" or " -w".
  void RunHidden(CMyDoc& doc, const std::optional<std::string>& arguments, std::string_view option);
  void RunInConsole(CMyDoc& doc, const std::optional<std::string>& arguments, std::string_view option);
  // The filter run of macro `name` over the selection of `view`.
  void RunMacro(CMyView& view, const std::string& name);
  // The emulated CGI call of `doc`'s script; its page is `view`'s.
  void RunInBrowser(CMyDoc& doc, CMyView& view);
  // A debug session of `doc`'s script, kept as the run in progress; none
  // when it could not start (the user has been told why).
  DebugScriptRun* StartDebug(CMyDoc& doc);
  // Asks a run the user may stop to end at once.
  void Stop();
  // "perl -v" (or "jperl -v") and "perl -V" in a terminal; no run state.
  void ShowPerlVersion();
  void ShowPerlConfig();

  // Typed standard input for runs in the output pane: off by default, kept
  // in the store. A run that starts its child through HiddenRun asks
  // MakeRunInput for its Launch::input (none while the item is off; the
  // input line shows) and calls EndRunInput on the user-interface thread
  // once it has ended (the line hides). `kanjiCode`: the script document's
  // encoding, which typed lines are sent in.
  bool TypedInput() const { return m_typedInput; }
  std::shared_ptr<RunInput> MakeRunInput(int kanjiCode);
  void EndRunInput();
  // From the input line: a line typed (sent with LF, echoed into the pane),
  // and the end of the input.
  void SendInputLine(const QString& line);
  void CloseRunInput();

 signals:
  void runFinished();
  // Whether the input line is wanted: a run with typed input began or ended.
  void inputWanted(bool wanted);

 private:
  bool CanRun(const CMyDoc* doc) const;
  ScriptRunCopy RunCopyOf(CMyDoc& doc);
  // The common start of a run that goes on: the run copy written, the
  // script's folder current, the command line made.
  std::optional<RunTarget> Prepare(CMyDoc& doc, const std::optional<std::string>& arguments, std::string_view option);
  void Run(CMyDoc* doc, bool askArguments, std::string_view option, bool console);
  // Keeps `run` as the run in progress once it has started.
  void Begin(std::unique_ptr<ScriptRun> run, const std::string& script);
  // On the user-interface thread after the run in progress has ended.
  void End();
  ScriptRun::PutBack PutBackTelling();
  ScriptRun::Ended EndedLater();
  void ShowInTerminal(const std::vector<std::string>& argv);

  Settings& m_settings;
  Profile& m_profile;
  Pane m_pane;
  QPointer<QWidget> m_window;
  std::function<bool()> m_saveAllModified;

  std::atomic<bool> m_bRunning{false};
  std::string m_strRunScript;
  std::mutex m_csRun;
  std::unique_ptr<ScriptRun> m_run;
  std::unique_ptr<CgiOutputPages> m_cgiPages;
  std::vector<std::unique_ptr<ConsoleRun>> m_displays;  // version and configuration windows
  bool m_typedInput = false;
  std::shared_ptr<RunInput> m_input;  // of the run in progress, while it takes typed input
  int m_inputCode = 0;
};

}  // namespace corvella
