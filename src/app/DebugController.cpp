// The debugger commands of the frame: starts a debug session of the active script, moves it on, keeps the debugger's breakpoints those of the open documents, and shows each stop in the source and the debug panes.
#include "app/DebugController.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/DebugPanes.h"
#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "app/OutputBar.h"
#include "base/CommandRouter.h"
#include "editor/Cp932Text.h"
#include "editor/EditControl.h"
#include "editor/MyDoc.h"
#include "editor/MyView.h"
#include "res/DebuggerStrings.h"
#include "res/resource.h"
#include "run/DebugScriptRun.h"
#include "run/DebuggerReplies.h"
#include "run/PerlErrorLine.h"
#include "run/RunOutputDecoder.h"
#include "run/ScriptRunner.h"

namespace corvella {
namespace {

constexpr std::string_view kNoPadWalker = "PadWalker module not found";

QString Canonical(const QString& path) {
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return canonical.isEmpty() ? path : canonical;
}

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Sets or clears a breakpoint (`once`: a stop the next "c" uses up) in the
// debugger by the file's absolute path.
std::string BreakCommand(const std::string& path, long line, bool on, bool once) {
  return "DB::corvella_break(" + PerlQuoted(path) + ", " + std::to_string(line) + ", " + (on ? "1" : "0") + ", " +
         (once ? "1" : "0") + ")";
}

std::string PaneText(std::string_view bytes) {
  RunOutputDecoder decoder;
  std::string text = decoder.Feed(bytes);
  return text + decoder.Finish();
}

}  // namespace

DebugController::DebugController(CMainFrame& frame, DocManager& docs)
    : m_frame(frame), m_docs(docs), m_panes(new DebugPanes(&frame)) {
  m_frame.addDockWidget(Qt::BottomDockWidgetArea, m_panes);
  if (COutputBar* output = m_frame.OutputBar()) m_frame.splitDockWidget(output, m_panes, Qt::Horizontal);
  m_panes->hide();
  connect(&m_frame.Runner(), &ScriptRunner::runFinished, this, &DebugController::Finished);
  connect(m_panes, &DebugPanes::frameActivated, this, [this](const QString& file, long line) { ShowLine(file, line, false); });
  connect(m_panes, &DebugPanes::watchesChanged, this, [this] {
    if (m_run && m_state == State::Stopped) m_run->Connection().Inspect(Watches());
  });
  connect(m_panes, &DebugPanes::expressionEntered, this, [this](const QString& expression) {
    if (!m_run || m_state != State::Stopped) return;
    if (COutputBar* output = m_frame.OutputBar()) output->AppendOutput(QStringToSjis("> " + expression) + "\r\n");
    m_run->Connection().Evaluate("x " + Bytes(expression));
  });
}

DebugController::~DebugController() = default;

void DebugController::RegisterCommands(CommandMap& commands) {
  using namespace res;
  const auto canStart = [this] {
    CMyDoc* doc = m_docs.ActiveDocument();
    return doc && !doc->GetPathName().isEmpty() && !m_frame.IsRunning() &&
           !m_frame.GetSettings().m_szPerlDir.empty();
  };
  const auto startOrStopped = [this, canStart](CmdUI& ui) {
    ui.enabled = m_run ? m_state == State::Stopped : canStart();
  };
  commands.On(ID_DEBUG_GO, [this] { Go(); }, startOrStopped);
  commands.On(ID_DEBUG_STEP_INTO, [this] { Step("s"); }, startOrStopped);
  commands.On(ID_DEBUG_STEP_OVER, [this] { Step("n"); }, startOrStopped);
  commands.On(ID_DEBUG_RUN_TO_CARET, [this] { RunToCaret(); }, startOrStopped);
  commands.On(ID_DEBUG_STEP_OUT, [this] { StepOut(); }, [this](CmdUI& ui) {
    ui.enabled = m_run && m_state == State::Stopped;
  });
  commands.On(ID_DEBUG_END, [this] { m_frame.Runner().Stop(); }, [this](CmdUI& ui) { ui.enabled = m_run != nullptr; });
  commands.On(ID_DEBUG_SHOW_PANES, [this] { m_panes->setVisible(!m_panes->isVisible()); }, [this](CmdUI& ui) {
    ui.checked = m_panes->isVisible();
  });
}

bool DebugController::Begin() {
  CMyDoc* doc = m_docs.ActiveDocument();
  if (!doc || m_frame.IsRunning()) return false;
  ClearMark();
  DebugScriptRun* run = m_frame.Runner().StartDebug(*doc);
  if (!run) return false;
  m_run = run;
  m_script = doc;
  m_state = State::Running;
  m_sent.clear();
  connect(run, &DebugScriptRun::stopped, this, &DebugController::Stopped);
  connect(run, &DebugScriptRun::evaluated, this, &DebugController::Evaluated);
  if (!m_panes->isVisible()) {
    m_panes->show();
    // Beside the output pane, wide enough for a dump's lines.
    m_frame.resizeDocks({m_panes}, {m_frame.width() * 2 / 5}, Qt::Horizontal);
  }
  m_panes->SetStopped(false);
  SyncBreakpoints();
  Status(QString::fromUtf8(str::kDebugWaiting));
  return true;
}

void DebugController::Go() {
  if (!m_run && !Begin()) return;
  Move("c");
}

void DebugController::Step(const char* command) {
  if (m_run) {
    Move(command);
  } else if (Begin()) {
    // A session begins at the script's first statement.
    m_run->Connection().Inspect(Watches());
  }
}

void DebugController::StepOut() {
  if (m_run) Move("r");
}

void DebugController::RunToCaret() {
  CMyView* view = m_frame.ActiveView();
  CMyDoc* doc = m_docs.DocumentOf(view);
  if (!view || !doc || doc->GetPathName().isEmpty()) return;
  const long line = static_cast<long>(view->Buffer().LineFromChar(view->Sel().caret)) + 1;
  if (!m_run && !Begin()) return;
  m_run->Connection().Quietly(BreakCommand(PathBytes(Canonical(doc->GetPathName())), line, true, true));
  Move("c");
}

void DebugController::Move(const std::string& command) {
  if (!m_run) return;
  SyncBreakpoints();
  m_state = State::Running;
  m_panes->SetStopped(false);
  ClearMark();
  Status(QString::fromUtf8(str::kDebugRunning));
  m_run->Connection().Move(command, Watches());
}

void DebugController::Stopped(const DebugConnection::Stop& stop) {
  if (stop.ended) {
    Ended(stop);
    return;
  }
  m_state = State::Stopped;
  m_panes->SetStopped(true);
  std::vector<DebugPanes::Frame> frames;
  const std::optional<DebuggerPosition> at = ParseDebuggerPosition(stop.reply);
  if (at) frames.push_back({DebuggerText(at->sub), DebuggerText(at->file), at->line});
  for (const DebuggerFrame& f : ParseDebuggerStack(stop.stack)) {
    frames.push_back({DebuggerText(f.call), DebuggerText(f.file), f.line});
  }
  m_panes->ShowStack(frames);
  std::vector<DumpRow> variables = ParseDump(stop.variables);
  std::erase_if(variables, [](const DumpRow& row) { return row.depth == 0 && row.text == ")"; });
  m_panes->ShowVariables(variables, stop.variables.find(kNoPadWalker) != std::string::npos);
  std::vector<std::vector<DumpRow>> watches;
  for (const std::string& value : stop.watches) watches.push_back(ParseDump(value));
  m_panes->ShowWatches(watches);
  if (at) {
    ShowLine(frames.front().file, at->line, true);
    Status(QString::fromUtf8(str::kDebugStoppedAt).arg(frames.front().file).arg(at->line));
  }
}

void DebugController::Ended(const DebugConnection::Stop& stop) {
  m_state = State::Running;
  m_panes->SetStopped(false);
  m_exitCode = DebuggerText(stop.exitStatus).trimmed();
  Status(QString::fromUtf8(str::kDebugEnded).arg(m_exitCode));
}

// A script that died: its message is the last of Perl's in the pane, whole
// once the run is closed.
void DebugController::MarkDeath() {
  std::optional<PerlErrorLocation> died;
  if (COutputBar* output = m_frame.OutputBar()) {
    const std::string text = output->Edit().Buffer().GetText();
    for (std::size_t end = text.size(); end > 0 && !died;) {
      const std::size_t start = text.rfind('\n', end - 1);
      const std::size_t from = start == std::string::npos ? 0 : start + 1;
      died = ParsePerlErrorLine(std::string_view(text).substr(from, end - from));
      end = from == 0 ? 0 : from - 1;
    }
  }
  if (!died) return;
  const QString file = SjisToQString(died->file);
  ShowLine(file, died->line, true);
  Status(QString::fromUtf8(str::kDebugDied).arg(file).arg(died->line).arg(m_exitCode));
}

void DebugController::Finished() {
  if (!m_script && !m_run) return;
  ClearMark();
  if (!m_exitCode.isEmpty() && m_exitCode != QLatin1String("0")) MarkDeath();
  m_exitCode.clear();
  m_run = nullptr;
  m_script = nullptr;
  m_state = State::Idle;
  m_panes->SetStopped(false);
}

void DebugController::Evaluated(const std::string& reply) {
  if (COutputBar* output = m_frame.OutputBar()) output->AppendOutput(PaneText(reply));
}

void DebugController::SyncBreakpoints() {
  if (!m_run) return;
  for (CMyDoc* doc : m_docs.Documents()) {
    connect(doc, &CMyDoc::breakpointsChanged, this, &DebugController::SyncBreakpoints, Qt::UniqueConnection);
    if (doc->GetPathName().isEmpty()) continue;
    const std::string path = PathBytes(Canonical(doc->GetPathName()));
    std::set<long> now;
    for (const int line : doc->BreakpointLines()) now.insert(line + 1);
    std::set<long>& sent = m_sent[path];
    for (const long line : sent) {
      if (!now.contains(line)) m_run->Connection().Quietly(BreakCommand(path, line, false, false));
    }
    for (const long line : now) {
      if (!sent.contains(line)) m_run->Connection().Quietly(BreakCommand(path, line, true, false));
    }
    sent = std::move(now);
  }
}

void DebugController::ShowLine(const QString& debuggerFile, long line, bool mark) {
  if (debuggerFile.startsWith(QLatin1Char('(')) || line <= 0) return;  // code from an eval
  QString folder = QDir::currentPath();
  if (m_run) folder = QFile::decodeName(QByteArray::fromStdString(m_run->Folder()));
  else if (m_script) folder = QFileInfo(m_script->GetPathName()).absolutePath();
  const QString path = QDir(folder).absoluteFilePath(debuggerFile);
  if (!QFileInfo(path).isFile()) return;
  CMyDoc* doc = m_docs.OpenDocumentFile(path);
  CMyView* view = m_frame.ActiveView();
  if (!doc || !view || m_docs.DocumentOf(view) != doc) return;
  const EditBuffer& buffer = view->Buffer();
  const std::size_t index = static_cast<std::size_t>(line - 1);
  if (index >= buffer.GetLineCount()) return;
  view->SetSel(buffer.LineIndex(index), buffer.LineIndex(index));
  view->ScrollCaret();
  if (mark) {
    ClearMark();
    doc->SetExecutionLine(static_cast<int>(index));
    m_marked = doc;
  }
}

void DebugController::ClearMark() {
  if (m_marked) m_marked->SetExecutionLine(-1);
  m_marked = nullptr;
}

std::string DebugController::Bytes(const QString& text) const {
  if (m_script && m_script->KanjiCode() == kEncodingUtf8) return text.toUtf8().toStdString();
  return QStringToSjis(text);
}

std::vector<std::string> DebugController::Watches() const {
  std::vector<std::string> watches;
  for (const QString& watch : m_panes->Watches()) watches.push_back(Bytes(watch));
  return watches;
}

void DebugController::Status(const QString& text) { m_frame.ShowHint(QStringToSjis(text)); }

}  // namespace corvella
