// A hidden run's output on its way into the output pane: collected from the run's worker, handed over in pieces on the user-interface thread, the pane kept within its limit.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include <QElapsedTimer>
#include <QObject>

namespace corvella {

class OutputPaneFeed : public QObject {
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

  explicit OutputPaneFeed(Pane pane);

  // From the worker: text for the pane (`replace`: the pane starts afresh
  // with it). Beyond a bound of waiting text it waits for the pane, and the
  // child for the worker: memory stays bounded however fast it prints.
  void Add(std::string_view text, bool replace);
  // From now on Add never waits: the run is being let go of.
  void Close();
  // On the user-interface thread once the worker is done: the rest shown,
  // the pane's last text beginning with a whole line.
  void Finish();

 private:
  void DrainPaced();
  void Drain();

  Pane m_pane;
  std::mutex m_lock;
  std::string m_queued;
  std::string m_taken;  // the last text handed to the pane; only the user-interface thread uses it
  bool m_queuedReplace = false;
  std::atomic<bool> m_drainPosted{false};
  std::condition_variable m_drained;
  bool m_closing = false;
  std::size_t m_shownLength = 0;
  QElapsedTimer m_sinceDrain;  // since the pane last got text
};

}  // namespace corvella
