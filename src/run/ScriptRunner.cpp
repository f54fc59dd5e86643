// The script runner: the run commands of every script view, the run state, and which kind of run each command starts.
#include "run/ScriptRunner.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>

#include "base/CommandRouter.h"
#include "base/MessageBox.h"
#include "base/Profile.h"
#include "base/Settings.h"
#include "editor/Cp932Text.h"
#include "editor/MyDoc.h"
#include "editor/MyView.h"
#include "platform/ChildEnvironment.h"
#include "platform/PathParts.h"
#include "platform/RunInput.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "run/ArgumentsDlg.h"
#include "run/CgiOutputPages.h"
#include "run/CgiScriptRun.h"
#include "run/ConsoleRun.h"
#include "run/ConsoleScriptRun.h"
#include "run/DebugScriptRun.h"
#include "run/FilterRun.h"
#include "run/HiddenScriptRun.h"
#include "run/RunCommand.h"
#include "run/ScriptRunCopy.h"
#include "text/LoadedText.h"
#include "text/Newlines.h"

namespace corvella {
namespace {

// Beside the original values of the section, a key of our own.
constexpr const char* kTypedInputEntry = "TypedInput";

}  // namespace

ScriptRunner::ScriptRunner(Settings& settings, Profile& profile, Pane pane, QWidget* window)
    : m_settings(settings),
      m_profile(profile),
      m_pane(std::move(pane)),
      m_window(window),
      m_cgiPages(std::make_unique<CgiOutputPages>()),
      m_typedInput(profile.GetProfileInt(kSettingsSection, kTypedInputEntry, 0) != 0) {}

ScriptRunner::~ScriptRunner() {
  m_run.reset();
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
              [this](CmdUI& ui) { ui.enabled = m_bRunning && m_run && m_run->CanStop(); });
  const auto needPerl = [this](CmdUI& ui) { ui.enabled = !m_settings.m_szPerlDir.empty(); };
  commands.On(res::ID_COMMAND_VERSION, [this] { ShowPerlVersion(); }, needPerl);
  commands.On(res::ID_COMMAND_CONFIG, [this] { ShowPerlConfig(); }, needPerl);
  // Written at once: it is no part of the Settings record the frame saves.
  commands.On(res::ID_DEBUG_TYPED_INPUT, [this] {
    m_typedInput = !m_typedInput;
    m_profile.WriteProfileInt(kSettingsSection, kTypedInputEntry, m_typedInput ? 1 : 0);
  }, [this](CmdUI& ui) { ui.checked = m_typedInput; });
}

ScriptRunCopy ScriptRunner::RunCopyOf(CMyDoc& doc) { return ScriptRunCopy(doc, m_settings, m_saveAllModified, m_window); }

std::optional<RunTarget> ScriptRunner::Prepare(CMyDoc& doc, const std::optional<std::string>& arguments,
                                               std::string_view option) {
  if (!CanRun(&doc) || !RunCopyOf(doc).Save(true)) return std::nullopt;
  RunTarget t;
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
  std::optional<RunTarget> target = Prepare(doc, arguments, option);
  if (!target) return;
  const std::string script = target->script;
  Begin(std::make_unique<HiddenScriptRun>(std::move(*target), m_settings, m_pane, m_csRun, PutBackTelling(),
                                          EndedLater(), MakeRunInput(doc.KanjiCode())),
        script);
}

void ScriptRunner::RunInConsole(CMyDoc& doc, const std::optional<std::string>& arguments, std::string_view option) {
  std::optional<RunTarget> target = Prepare(doc, arguments, option);
  if (!target) return;
  const std::string script = target->script;
  Begin(std::make_unique<ConsoleScriptRun>(std::move(*target), m_settings, m_window, PutBackTelling(), EndedLater()),
        script);
}

DebugScriptRun* ScriptRunner::StartDebug(CMyDoc& doc) {
  std::optional<RunTarget> target = Prepare(doc, std::nullopt, " -d");
  if (!target) return nullptr;
  const std::string script = target->script;
  auto run = std::make_unique<DebugScriptRun>(std::move(*target), m_settings, m_pane, m_csRun, PutBackTelling(),
                                              EndedLater(), m_window, MakeRunInput(doc.KanjiCode()));
  DebugScriptRun* session = run.get();
  Begin(std::move(run), script);
  return m_run.get() == session ? session : nullptr;
}

void ScriptRunner::RunMacro(CMyView& view, const std::string& name) { FilterRun(m_settings, m_window).Run(view, name); }

void ScriptRunner::RunInBrowser(CMyDoc& doc, CMyView& view) {
  if (!CanRun(&doc) || !RunCopyOf(doc).Save(false)) return;
  CgiScriptRun(QFile::encodeName(doc.GetPathName()).toStdString(), &view, m_settings, m_profile, *m_cgiPages, m_window,
               PutBackTelling())
      .Run();
}

void ScriptRunner::Begin(std::unique_ptr<ScriptRun> run, const std::string& script) {
  m_run = std::move(run);
  if (!m_run->Start()) {
    m_run.reset();
    EndRunInput();
    return;
  }
  m_strRunScript = script;
  m_bRunning = true;
}

void ScriptRunner::End() {
  if (!m_run) return;
  m_run->Close();
  m_run.reset();
  EndRunInput();
  m_bRunning = false;
  emit runFinished();
}

std::shared_ptr<RunInput> ScriptRunner::MakeRunInput(int kanjiCode) {
  if (!m_typedInput) return nullptr;
  m_input = std::make_shared<RunInput>();
  m_inputCode = kanjiCode;
  emit inputWanted(true);
  return m_input;
}

void ScriptRunner::EndRunInput() {
  if (!m_input) return;
  m_input.reset();
  emit inputWanted(false);
}

// The child gets the line as the script's own text would be saved (its
// encoding, LF); the pane shows it as it shows what the child prints.
void ScriptRunner::SendInputLine(const QString& line) {
  if (!m_input) return;
  const std::string sjis = QStringToSjis(line) + "\r\n";
  m_input->Send(EncodeTextForSave(sjis, m_inputCode, kNewlineLf).bytes, sjis);
}

void ScriptRunner::CloseRunInput() {
  if (m_input) m_input->Close();
}

ScriptRun::PutBack ScriptRunner::PutBackTelling() {
  return [this](const std::string& script) {
    return ScriptRunCopy::PutBack(script, [this](const QString& text) {
      QMetaObject::invokeMethod(this, [this, text] { ShowMessage(m_window, text, MsgIcon::Exclamation); },
                                Qt::QueuedConnection);
    });
  };
}

ScriptRun::Ended ScriptRunner::EndedLater() {
  return [this] { QMetaObject::invokeMethod(this, [this] { End(); }, Qt::QueuedConnection); };
}

void ScriptRunner::Stop() {
  if (m_run && m_run->CanStop()) m_run->Stop();
}

void ScriptRunner::ShowInTerminal(const std::vector<std::string>& argv) {
  std::string line;
  for (const std::string& word : argv) line += (line.empty() ? "" : " ") + word;
  if (!ConsoleScriptRun::WriteConsoleScript(m_settings, ConsoleScript(m_settings.m_szPerlDir, line, argv), m_window,
                                            MsgIcon::Exclamation)) {
    return;
  }
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

}  // namespace corvella
