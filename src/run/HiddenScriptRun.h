// The run without a window: the interpreter's output into the output pane as it comes, stoppable from the frame.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "run/OutputPaneFeed.h"
#include "run/ScriptRun.h"

namespace corvella {

class HiddenRun;
class RunInput;
struct Settings;

class HiddenScriptRun : public ScriptRun {
 public:
  // `runLock` is held by the worker for the whole run; `input`: typed
  // standard input, or none for /dev/null.
  HiddenScriptRun(RunTarget target, const Settings& settings, OutputPaneFeed::Pane pane, std::mutex& runLock,
                  PutBack putBack, Ended ended, std::shared_ptr<RunInput> input = {});
  ~HiddenScriptRun() override;

  // Entries ("NAME=value") the child gets beside the usual environment; before Start.
  void AddEnvironment(std::vector<std::string> entries) { m_extraEnvironment = std::move(entries); }

  bool Start() override;
  bool CanStop() const override { return true; }
  void Stop() override;
  void Close() override;

 private:
  RunTarget m_target;
  const Settings& m_settings;
  OutputPaneFeed::Pane m_pane;
  std::unique_ptr<OutputPaneFeed> m_feed;
  std::mutex& m_runLock;
  PutBack m_putBack;
  Ended m_ended;
  std::shared_ptr<RunInput> m_input;
  std::unique_ptr<HiddenRun> m_worker;
  std::vector<std::string> m_extraEnvironment;
};

}  // namespace corvella
