// A hidden run: the interpreter started without a window, what it prints handed on as pane text while it runs, stoppable, the script put back at the end.
#include "run/HiddenRun.h"

#include <cerrno>
#include <chrono>
#include <thread>
#include <string_view>

#include "platform/ChildProcess.h"
#include "run/RunOutputDecoder.h"

namespace corvella {
namespace {

// "%2" first: a command line put in for "%1" may itself hold "%2".
std::string Fill(std::string format, const std::string& first, const std::string& second = {}) {
  if (const auto at = format.find("%2"); at != std::string::npos) format.replace(at, 2, second);
  if (const auto at = format.find("%1"); at != std::string::npos) format.replace(at, 2, first);
  return format;
}

// A child that fills its output buffer again and again (a read of at least
// one buffered write, far from a full pipe) is given a millisecond before the
// next read: its output then comes in a few large reads instead of one per
// write, each waking the worker and taking the core the pane is filled on.
// Short unbuffered writes are read at once, which keeps them in the order
// they were made between the two streams.
constexpr std::size_t kBufferedWrite = 4096;
constexpr std::size_t kFullRead = 256u << 10;
constexpr auto kGather = std::chrono::milliseconds(1);

}  // namespace

HiddenRun::HiddenRun(Launch launch, Texts texts, std::mutex& runLock, Output output, Restore restore, Finished finished)
    : m_launch(std::move(launch)),
      m_texts(std::move(texts)),
      m_runLock(runLock),
      m_output(std::move(output)),
      m_restore(std::move(restore)),
      m_finished(std::move(finished)),
      m_wakeup(std::make_unique<Wakeup>()) {
  m_worker = std::thread([this] { Work(); });
}

HiddenRun::~HiddenRun() {
  Stop();
  if (m_worker.joinable()) m_worker.join();
}

void HiddenRun::Stop() { m_wakeup->Signal(); }

void HiddenRun::Say(std::string_view text, bool replace) {
  m_output([text](std::string& pane) { pane += text; }, replace);
}

void HiddenRun::Work() {
  int exitCode = -1;
  {
    const std::lock_guard lock(m_runLock);
    Say(Fill(m_texts.start, m_launch.commandLine), true);
    ChildProcess child;
    ChildProcess::Options options;
    options.argv = m_launch.argv;
    options.workingDir = m_launch.workingDir;
    options.environment = m_launch.environment;
    if (m_launch.input) options.in = ChildProcess::Stream::Pipe;
    int error = 0;
    if (!child.Start(options, &error)) {
      const bool pipes = error == EMFILE || error == ENFILE;
      Say(pipes ? Fill(m_texts.pipeFailed, std::to_string(error))
                : Fill(m_texts.cannotStart, m_launch.commandLine, std::to_string(error)),
          false);
    } else {
      RunOutputDecoder out, err;
      bool stopped = false;
      exitCode = child.ReadUntilEnd(*m_wakeup, [&](std::string_view outBytes, std::string_view errBytes) {
        m_output([&](std::string& pane) {
          out.Feed(outBytes, pane);
          err.Feed(errBytes, pane);
        }, false);
        if (const std::size_t n = outBytes.size() + errBytes.size(); n >= kBufferedWrite && n < kFullRead) {
          std::this_thread::sleep_for(kGather);
        }
      }, &stopped, m_launch.input.get(), [this](std::string echo) { Say(echo, false); });
      std::string tail;
      out.Finish(tail);
      err.Finish(tail);
      if (stopped) tail += m_texts.stopped;
      tail += Fill(m_texts.end, std::to_string(exitCode));
      Say(tail, false);
    }
  }
  if (m_restore) m_restore(m_launch.scriptPath);
  if (m_finished) m_finished(exitCode);
}

}  // namespace corvella
