// The run without a window: the interpreter's output into the output pane as it comes, stoppable from the frame.
#include "run/HiddenScriptRun.h"

#include "base/Settings.h"
#include "editor/Cp932Text.h"
#include "platform/ChildEnvironment.h"
#include "res/Strings.h"
#include "run/HiddenRun.h"

namespace corvella {
namespace {

std::string Sjis(const char* utf8) { return QStringToSjis(QString::fromUtf8(utf8)); }

}  // namespace

HiddenScriptRun::HiddenScriptRun(RunTarget target, const Settings& settings, OutputPaneFeed::Pane pane,
                                 std::mutex& runLock, PutBack putBack, Ended ended, std::shared_ptr<RunInput> input)
    : m_target(std::move(target)),
      m_settings(settings),
      m_pane(std::move(pane)),
      m_runLock(runLock),
      m_putBack(std::move(putBack)),
      m_ended(std::move(ended)),
      m_input(std::move(input)) {}

// The worker may be waiting for the pane, which is no longer drained.
HiddenScriptRun::~HiddenScriptRun() {
  if (m_feed) m_feed->Close();
  m_worker.reset();
}

bool HiddenScriptRun::Start() {
  ChildEnvironment::Shared().PrependToPath(m_settings.m_szPerlDir);
  const std::string& line = m_target.line;
  HiddenRun::Launch launch;
  launch.argv = m_target.argv;
  launch.workingDir = m_target.folder;
  launch.environment = ChildEnvironment::Shared().Entries();
  launch.environment.insert(launch.environment.end(), m_extraEnvironment.begin(), m_extraEnvironment.end());
  launch.commandLine = QStringToSjis(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
  launch.scriptPath = m_target.script;
  launch.input = m_input;
  if (m_pane.show) m_pane.show();
  m_feed = std::make_unique<OutputPaneFeed>(m_pane);

  HiddenRun::Texts texts{Sjis(str::kRunStartLine), Sjis(str::kRunEndLine), Sjis(str::kRunStoppedLine),
                         Sjis(str::kRunCannotStart), Sjis(str::kRunStdoutPipeFailed)};
  m_worker = std::make_unique<HiddenRun>(
      std::move(launch), std::move(texts), m_runLock,
      [feed = m_feed.get()](const HiddenRun::Write& write, bool replace) { feed->Add(write, replace); }, m_putBack,
      [this](int) { m_ended(); });
  return true;
}

void HiddenScriptRun::Stop() {
  if (m_worker) m_worker->Stop();
}

void HiddenScriptRun::Close() {
  if (m_feed) m_feed->Finish();
}

}  // namespace corvella
