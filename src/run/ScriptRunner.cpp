// The script runner: the run commands of every script view, the run state, the hidden run's output on its way into the output pane, stopping.
#include "run/ScriptRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMetaObject>
#include <QUrl>

#include "base/CommandRouter.h"
#include "base/DesktopOpener.h"
#include "base/Settings.h"
#include "editor/Cp932Text.h"
#include "document/EditBuffer.h"
#include "editor/MyDoc.h"
#include "editor/MyView.h"
#include "platform/AtomicFile.h"
#include "platform/ChildEnvironment.h"
#include "platform/ChildProcess.h"
#include "platform/FileNames.h"
#include "platform/PathParts.h"
#include "platform/RunCopy.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "run/ArgumentsDlg.h"
#include "run/CgiDlg.h"
#include "run/CgiForm.h"
#include "run/ChildWaitDlg.h"
#include "run/ConsoleRun.h"
#include "run/HiddenRun.h"
#include "run/RunCommand.h"
#include "run/RunOutputDecoder.h"
#include "text/Newlines.h"

namespace corvella {
namespace {

std::string Sjis(const char* utf8) { return QStringToSjis(QString::fromUtf8(utf8)); }

// Beyond this much text waiting for the pane the worker waits for the pane,
// and the child for the worker: memory stays bounded however fast it prints.
constexpr std::size_t kQueueLimit = 16u << 20;

}  // namespace

ScriptRunner::ScriptRunner(Settings& settings, Profile& profile, Pane pane, QWidget* window)
    : m_settings(settings), m_profile(profile), m_pane(std::move(pane)), m_window(window) {}

ScriptRunner::~ScriptRunner() {
  {
    const std::lock_guard lock(m_queueLock);
    m_closing = true;
  }
  m_drained.notify_all();
  m_hidden.reset();
  m_console.reset();
  m_displays.clear();
}

bool ScriptRunner::CanRun(const CMyDoc* doc) const {
  return doc && !doc->GetPathName().isEmpty() && !m_settings.m_szPerlDir.empty() && !m_bRunning;
}

void ScriptRunner::AttachView(CMyView* view, CMyDoc* doc) {
  using namespace res;
  struct Command {
    int id;
    bool askArguments;
    const char* option;
    bool alwaysConsole;
  };
  static constexpr Command kCommands[] = {
      {ID_COMMAND_RUN, false, "", false},         {ID_COMMAND_RUN_ARGS, true, "", false},
      {ID_COMMAND_SYNTAX_CHECK, false, " -c", false}, {ID_COMMAND_DEBUG_RUN, false, " -d", true},
      {ID_COMMAND_DEBUG_RUN_ARGS, true, " -d", true}, {ID_COMMAND_WARN_RUN, false, " -w", false},
      {ID_COMMAND_WARN_RUN_ARGS, true, " -w", false},
  };
  const QPointer<CMyDoc> document(doc);
  const QPointer<CMyView> shown(view);
  view->Commands().On(ID_COMMAND_BROWSER, [this, document, shown] {
    if (document && shown) RunInBrowser(*document, *shown);
  }, [this, document](CmdUI& ui) { ui.enabled = CanRun(document); });
  for (const Command& c : kCommands) {
    view->Commands().On(
        c.id, [this, document, c] { Run(document, c.askArguments, c.option, c.alwaysConsole || !m_settings.InsideMode); },
        [this, document](CmdUI& ui) { ui.enabled = CanRun(document); });
  }
}

void ScriptRunner::RegisterFrameCommands(CommandMap& commands) {
  commands.On(res::ID_COMMAND_STOP, [this] { Stop(); },
              [this](CmdUI& ui) { ui.enabled = m_bRunning && !m_bConsoleRun; });
  const auto needPerl = [this](CmdUI& ui) { ui.enabled = !m_settings.m_szPerlDir.empty(); };
  commands.On(res::ID_COMMAND_VERSION, [this] { ShowPerlVersion(); }, needPerl);
  commands.On(res::ID_COMMAND_CONFIG, [this] { ShowPerlConfig(); }, needPerl);
}

bool ScriptRunner::WriteConsoleScript(const std::string& script, MsgIcon failureIcon) {
  const int error = WriteFileAtomically(m_settings.m_szBatchPath, script);
  if (error == 0) return true;
  const QString path = QFile::decodeName(QByteArray::fromStdString(m_settings.m_szBatchPath));
  ShowMessage(m_window, QString::fromUtf8(str::kConsoleScriptFailed).arg(path, QString::number(error)), failureIcon);
  return false;
}

std::optional<ScriptRunner::Target> ScriptRunner::Prepare(CMyDoc& doc, const std::optional<std::string>& arguments,
                                                         std::string_view option) {
  if (!CanRun(&doc) || !doc.SaveForRun(true)) return std::nullopt;
  Target t;
  t.script = QFile::encodeName(doc.GetPathName()).toStdString();
  t.folder = GetFolderPart(t.script);
  const std::string name = GetFileTitlePart(t.script);
  // Later file dialogs open where the script is, as after a run by hand.
  QDir::setCurrent(QFile::decodeName(QByteArray::fromStdString(t.folder)));
  const std::string interpreter = InterpreterName(m_settings.UsePerl);
  t.line = RunCommandLine(interpreter, option, ScriptArgument(name), arguments);
  t.argv = RunArgv(interpreter, option, name, arguments);
  return t;
}

void ScriptRunner::RunInConsole(CMyDoc& doc, const std::optional<std::string>& arguments, std::string_view option) {
  const std::optional<Target> target = Prepare(doc, arguments, option);
  if (!target) return;
  const std::string& script = target->script;
  const std::string& line = target->line;
  const std::string marker = TempFolder() + "corvella-" + std::to_string(QCoreApplication::applicationPid()) + "-run";
  ConsoleRun::Launch launch;
  launch.startedMarker = marker + ".started";
  launch.doneMarker = marker + ".running";
  // The terminal runs a copy of its own: do_perl.sh beside the program is
  // shared with every other copy of the program, which deletes it on closing.
  launch.shellScript = marker + ".sh";
  const std::string shellScript =
      ConsoleScript(m_settings.m_szPerlDir, line, target->argv, launch.startedMarker, launch.doneMarker);
  // Nothing runs with the run copy left behind: a script that cannot be
  // written puts the user's file back at once.
  if (!WriteConsoleScript(shellScript, MsgIcon::Stop) || WriteFileAtomically(launch.shellScript, shellScript) != 0 ||
      WriteFileAtomically(launch.startedMarker, {}) != 0 || WriteFileAtomically(launch.doneMarker, {}) != 0) {
    for (const std::string* file : {&launch.shellScript, &launch.startedMarker, &launch.doneMarker}) RemoveIfExists(*file);
    PutBack(script);
    return;
  }
  launch.workingDir = target->folder;
  launch.environment = ChildEnvironment::Shared().Entries();
  launch.terminal = ConsoleRun::FindTerminal(launch.environment);
  m_strRunCommand = m_settings.m_szBatchPath;
  m_strRunScript = script;
  m_bConsoleRun = true;
  m_bRunning = true;
  const std::string ownScript = launch.shellScript;
  m_console = std::make_unique<ConsoleRun>(
      std::move(launch), [this, script] { PutBack(script); },
      [this, ownScript](bool started, int error) {
        RemoveIfExists(ownScript);
        QMetaObject::invokeMethod(this, [this, started, error] {
          if (!started) {
            const QString path = QFile::decodeName(QByteArray::fromStdString(m_strRunCommand));
            ShowMessage(m_window, QString::fromUtf8(str::kRunCannotStart).arg(path, QString::number(error)), MsgIcon::Stop);
          }
          m_console.reset();
          m_bRunning = false;
          emit runFinished();
        }, Qt::QueuedConnection);
      });
}

void ScriptRunner::ShowInTerminal(const std::vector<std::string>& argv) {
  std::string line;
  for (const std::string& word : argv) line += (line.empty() ? "" : " ") + word;
  if (!WriteConsoleScript(ConsoleScript(m_settings.m_szPerlDir, line, argv), MsgIcon::Exclamation)) return;
  std::erase_if(m_displays, [](const std::unique_ptr<ConsoleRun>& d) { return d->Done(); });
  ConsoleRun::Launch launch;
  launch.shellScript = m_settings.m_szBatchPath;
  launch.environment = ChildEnvironment::Shared().Entries();
  launch.terminal = ConsoleRun::FindTerminal(launch.environment);
  const QString path = QFile::decodeName(QByteArray::fromStdString(launch.shellScript));
  m_displays.push_back(std::make_unique<ConsoleRun>(std::move(launch), nullptr, [this, path](bool started, int error) {
    if (started) return;
    QMetaObject::invokeMethod(this, [this, path, error] {
      ShowMessage(m_window, QString::fromUtf8(str::kDisplayCannotStart).arg(path, QString::number(error)), MsgIcon::Exclamation);
    }, Qt::QueuedConnection);
  }));
}

void ScriptRunner::ShowPerlVersion() {
  if (m_settings.m_szPerlDir.empty()) return;
  ShowInTerminal({InterpreterName(m_settings.UsePerl), "-v"});
}

void ScriptRunner::ShowPerlConfig() {
  if (m_settings.m_szPerlDir.empty()) return;
  ShowInTerminal({"perl", "-V"});
}

void ScriptRunner::Run(CMyDoc* doc, bool askArguments, std::string_view option, bool console) {
  if (!CanRun(doc)) return;
  std::optional<std::string> arguments;
  if (askArguments) {
    CArgumentsDlg dialog(m_profile, m_window);
    dialog.m_strArgs = QString::fromStdString(m_settings.m_strArguments);
    if (dialog.exec() != QDialog::Accepted) return;
    m_settings.m_strArguments = dialog.m_strArgs.toStdString();
    arguments = m_settings.m_strArguments;
  }
  if (console) RunInConsole(*doc, arguments, option);
  else RunHidden(*doc, arguments, option);
}

void ScriptRunner::RunHidden(CMyDoc& doc, const std::optional<std::string>& arguments, std::string_view option) {
  std::optional<Target> target = Prepare(doc, arguments, option);
  if (!target) return;
  ChildEnvironment::Shared().PrependToPath(m_settings.m_szPerlDir);
  const std::string& line = target->line;

  HiddenRun::Launch launch;
  launch.argv = std::move(target->argv);
  launch.workingDir = target->folder;
  launch.environment = ChildEnvironment::Shared().Entries();
  launch.commandLine = QStringToSjis(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
  launch.scriptPath = target->script;
  m_strRunCommand = line;
  m_strRunScript = target->script;
  m_bConsoleRun = false;
  m_bRunning = true;
  m_shownLength = 0;
  if (m_pane.show) m_pane.show();

  HiddenRun::Texts texts{Sjis(str::kRunStartLine), Sjis(str::kRunEndLine), Sjis(str::kRunStoppedLine),
                         Sjis(str::kRunCannotStart), Sjis(str::kRunStdoutPipeFailed)};
  m_hidden = std::make_unique<HiddenRun>(
      std::move(launch), std::move(texts), m_csRun, [this](std::string text, bool replace) { Queue(std::move(text), replace); },
      [this](const std::string& path) { return PutBack(path); },
      [this](int) { QMetaObject::invokeMethod(this, [this] { Finish(); }, Qt::QueuedConnection); });
}

void ScriptRunner::RunMacro(CMyView& view, const std::string& name) {
  const std::string folder = JoinPath(ProgramFolder(), "macro");
  ChildEnvironment::Shared().PrependToPath(m_settings.m_szPerlDir);
  ChildProcess child;
  ChildProcess::Options options;
  options.argv = RunArgv("perl", "", name + ".pl", std::nullopt);
  options.workingDir = folder;
  options.environment = ChildEnvironment::Shared().Entries();
  options.in = ChildProcess::Stream::Pipe;
  int error = 0;
  if (!child.Start(options, &error)) {
    const QString line = QStringLiteral("perl \"%1.pl\"").arg(QString::fromStdString(name));
    ShowMessage(m_window, QString::fromUtf8(str::kMacroCannotStart).arg(line, QString::number(error)), MsgIcon::Stop);
    return;
  }
  const EditBuffer& buffer = view.Buffer();
  const EditBuffer::Selection sel = buffer.GetSel();
  std::string input = buffer.GetText(sel.Start(), sel.End());
  ReplaceCrLf(input, kNewlineLf);  // in one pass: a large selection must not take quadratic time
  child.WriteInput(input);
  child.CloseInput();
  RunOutputDecoder outDecoder, errDecoder;
  std::string out, err;
  Wakeup stop;
  const bool finished = WaitForChild(
      m_window,
      [&] {
        for (;;) {
          std::string outBytes, errBytes;
          const ChildProcess::Progress progress = child.ReadSome(outBytes, errBytes, -1, stop.fd());
          out += outDecoder.Feed(outBytes);
          err += errDecoder.Feed(errBytes);
          if (progress == ChildProcess::Progress::Woken) {
            child.Terminate();
            break;
          }
          if (progress == ChildProcess::Progress::Ended) break;
        }
        // A macro that closed its output but goes on is still waited for.
        child.WaitUnlessStopped(stop);
      },
      [&stop] { stop.Signal(); });
  if (!finished) return;
  out += outDecoder.Finish();
  err += errDecoder.Finish();
  if (!err.empty()) ShowMessage(m_window, SjisToQString(err), MsgIcon::None);
  if (!out.empty()) view.ReplaceSelUndoable(out);
}

void ScriptRunner::RunInBrowser(CMyDoc& doc, CMyView& view) {
  if (!CanRun(&doc) || !doc.SaveForRun(false)) return;
  const std::string script = QFile::encodeName(doc.GetPathName()).toStdString();
  const std::string folder = GetFolderPart(script);
  const std::string name = GetFileTitlePart(script);
  QDir::setCurrent(QFile::decodeName(QByteArray::fromStdString(folder)));
  const std::string interpreter = InterpreterName(m_settings.UsePerl);
  const QString base = QString::fromStdString(interpreter + " " + name);
  CCgiDlg dialog(m_profile, m_window);
  if (dialog.exec() != QDialog::Accepted) {
    PutBack(script);
    return;
  }
  ChildEnvironment& environment = ChildEnvironment::Shared();
  const std::optional<std::string> savedPath = environment.Get("PATH");
  environment.PrependToPath(m_settings.m_szPerlDir);
  // The three further variables stay set for later runs, as the user asked.
  for (int i = 0; i < 3; ++i) {
    if (!dialog.m_strOtherName[i].isEmpty()) {
      environment.Set(dialog.m_strOtherName[i].toStdString(), dialog.m_strOtherValue[i].toStdString());
    }
  }
  const std::string arguments = dialog.m_strCmdArgs.toStdString();
  const CgiCall call = PlanCgiCall(dialog.m_nMethod, dialog.m_strQuery, arguments);
  for (const auto& [variable, value] : call.environment) environment.Set(variable, value);

  const std::string output = script + "_stdout.htm";
  if (!view.CgiOutput().empty() && QString::fromStdString(view.CgiOutput()).compare(QString::fromStdString(output),
                                                                                     Qt::CaseInsensitive) != 0) {
    RemoveIfExists(view.CgiOutput());
  }
  view.SetCgiOutput(output);
  ChildProcess child;
  ChildProcess::Options options;
  options.argv = RunArgv(interpreter, "", name, call.withArguments ? std::optional<std::string>(arguments) : std::nullopt);
  options.workingDir = folder;
  options.environment = environment.Entries();
  options.out = ChildProcess::Stream::File;
  options.outPath = output;
  options.err = ChildProcess::Stream::Inherit;
  int error = call.hasInput ? WriteFileAtomically(m_settings.m_szStdinPath, call.input) : 0;
  bool started = error == 0;
  if (call.hasInput) {
    options.in = ChildProcess::Stream::File;
    options.inPath = m_settings.m_szStdinPath;
  }
  if (started) started = child.Start(options, &error);
  bool brokenOff = false;  // the page is then only what the script got to print: not shown
  if (started) {
    Wakeup stop;
    brokenOff = !WaitForChild(
        m_window,
        [&] { child.WaitUnlessStopped(stop); },
        [&stop] { stop.Signal(); });
  }
  if (call.hasInput) RemoveIfExists(m_settings.m_szStdinPath);
  const QString page = QFile::decodeName(QByteArray::fromStdString(output));
  if (!started) {
    ShowMessage(m_window, QString::fromUtf8(str::kDisplayCannotStart).arg(base, QString::number(error)), MsgIcon::Exclamation);
  } else if (!brokenOff && !OpenWithDesktop(m_window, QUrl::fromLocalFile(page))) {
    ShowMessage(m_window, QString::fromUtf8(str::kDisplayCannotStart).arg(page, QString::number(0)), MsgIcon::Exclamation);
  }
  for (const char* variable : {"REQUEST_METHOD", "QUERY_STRING", "CONTENT_LENGTH"}) environment.Set(variable, "");
  environment.Set("PATH", savedPath);
  PutBack(script);
}

bool ScriptRunner::PutBack(const std::string& script) {
  const int error = RunCopy::PutBack(script);
  if (error == 0) return true;
  const QString path = QFile::decodeName(QByteArray::fromStdString(script));
  const QString waiting = QFile::decodeName(QByteArray::fromStdString(RunCopy::WaitingBytes(script)));
  QMetaObject::invokeMethod(this, [this, path, waiting, error] {
    ShowMessage(m_window, QString::fromUtf8(str::kRunCopyNotPutBack).arg(path, QString::number(error), waiting),
                MsgIcon::Exclamation);
  }, Qt::QueuedConnection);
  return false;
}

void ScriptRunner::Stop() {
  if (m_hidden && !m_bConsoleRun) m_hidden->Stop();
}

void ScriptRunner::Queue(std::string text, bool replace) {
  std::unique_lock lock(m_queueLock);
  if (replace) {
    m_queued = std::move(text);
    m_queuedReplace = true;
  } else {
    m_queued += text;
  }
  if (!m_drainPosted.exchange(true)) QMetaObject::invokeMethod(this, [this] { Drain(); }, Qt::QueuedConnection);
  m_drained.wait(lock, [this] { return m_closing || m_queued.size() < kQueueLimit; });
}

// The pane gets what arrived since the last time, in one piece; only when
// the whole text grows past twice the pane's limit is it cut to the limit.
void ScriptRunner::Drain() {
  std::string text;
  bool replace = false;
  {
    const std::lock_guard lock(m_queueLock);
    text.swap(m_queued);
    replace = m_queuedReplace;
    m_queuedReplace = false;
    m_drainPosted = false;
  }
  m_drained.notify_all();
  if (replace) {
    m_pane.set(text);
    m_shownLength = text.size();
  } else if (!text.empty()) {
    m_pane.append(text);
    m_shownLength += text.size();
  }
  if (m_pane.limit && m_shownLength > 2 * m_pane.limit) {
    const std::string all = m_pane.text();
    m_pane.set(std::string_view(all).substr(all.size() - m_pane.limit));
    m_shownLength = m_pane.limit;
  }
}

void ScriptRunner::Finish() {
  Drain();
  // The last text the pane shows begins with a whole line.
  if (m_pane.limit && m_shownLength > m_pane.limit) {
    std::string all = m_pane.text();
    std::string_view last = std::string_view(all).substr(all.size() - m_pane.limit);
    if (const auto lf = last.find('\n'); lf != std::string_view::npos) last.remove_prefix(lf + 1);
    m_pane.set(last);
    m_shownLength = last.size();
  }
  m_hidden.reset();
  m_bRunning = false;
  emit runFinished();
}

}  // namespace corvella
