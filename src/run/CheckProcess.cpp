// One "perl -c" of a background check on a thread of its own, so that the editor never waits for it, and stoppable at any time.
#include "run/CheckProcess.h"

#include <system_error>

namespace corvella {

CheckProcess::~CheckProcess() {
  Stop();
  Join();
}

bool CheckProcess::Start(std::vector<std::string> argv, std::string workingDir, std::vector<std::string> environment,
                         Done done) {
  if (m_thread.joinable()) return false;
  try {
    m_stop = std::make_shared<Wakeup>();
  } catch (const std::system_error&) {
    return false;
  }
  ChildProcess::Options options;
  options.argv = std::move(argv);
  options.workingDir = std::move(workingDir);
  options.environment = std::move(environment);
  m_thread = std::thread([options = std::move(options), stop = m_stop, done = std::move(done)] {
    ChildProcess child;
    std::string output;
    bool stopped = false;
    if (child.Start(options)) {
      child.ReadUntilEnd(*stop, [&output](std::string_view out, std::string_view err) {
        output += out;
        output += err;
      }, &stopped);
    }
    done(std::move(output), stopped);
  });
  return true;
}

void CheckProcess::Stop() {
  if (m_stop) m_stop->Signal();
}

void CheckProcess::Join() {
  if (m_thread.joinable()) m_thread.join();
  m_stop.reset();
}

}  // namespace corvella
