// A debug session as a run: a hidden run of the interpreter under its own debugger, whose socket connects back to the editor.
#include "run/DebugScriptRun.h"

#include <random>

#include <QMetaObject>
#include <QWidget>

#include "base/MessageBox.h"
#include "res/DebuggerStrings.h"

namespace corvella {
namespace {

// Hard to guess for another program on the machine, which could connect to
// the port before the child does.
std::string NewToken() {
  std::random_device random;
  std::string token;
  for (int i = 0; i < 4; ++i) token += std::to_string(random());
  return token;
}

}  // namespace

DebugScriptRun::DebugScriptRun(RunTarget target, const Settings& settings, OutputPaneFeed::Pane pane,
                               std::mutex& runLock, PutBack putBack, Ended ended, QWidget* window,
                               std::shared_ptr<RunInput> input)
    : m_script(target.script),
      m_folder(target.folder),
      m_putBack(putBack),
      m_window(window),
      m_run(std::move(target), settings, std::move(pane), runLock, std::move(putBack), std::move(ended),
            std::move(input)) {}

DebugScriptRun::~DebugScriptRun() = default;

bool DebugScriptRun::Start() {
  const std::string token = NewToken();
  DebugConnection::Callbacks callbacks;
  callbacks.stopped = [this](DebugConnection::Stop stop) {
    QMetaObject::invokeMethod(this, [this, stop = std::move(stop)] { emit stopped(stop); }, Qt::QueuedConnection);
  };
  callbacks.evaluated = [this](std::string reply) {
    QMetaObject::invokeMethod(this, [this, reply = std::move(reply)] { emit evaluated(reply); }, Qt::QueuedConnection);
  };
  m_connection = std::make_unique<DebugConnection>(token, std::move(callbacks));
  int error = 0;
  if (!m_connection->Listen(&error)) {
    m_putBack(m_script);
    ShowMessage(m_window, QString::fromUtf8(str::kDebugCannotListen).arg(error), MsgIcon::Exclamation);
    return false;
  }
  m_run.AddEnvironment({"PERLDB_OPTS=" + m_connection->DebuggerOptions(),
                        std::string(DebugConnection::kTokenVariable) + "=" + token});
  return m_run.Start();
}

}  // namespace corvella
