// A hidden run's output on its way into the output pane: collected from the run's worker, handed over in pieces on the user-interface thread, the pane kept within its limit.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include <QElapsedTimer>
#include <QObject>

namespace corvella {

class OutputPaneFeed : public QObject {
  Q_OBJECT

 public:
  // The two strings text waits in on its way, kept from run to run: a fast
  // child's output then goes into memory the last run used rather than into
  // fresh pages each time.
  struct Room {
    std::string queued, taken;
  };

  // The output pane, which the main frame owns.
  struct Pane {
    std::shared_ptr<Room> room = std::make_shared<Room>();
    std::function<void()> show;
    std::function<void(std::string_view)> set;
    std::function<void(std::string_view)> append;
    std::function<std::string()> text;
    std::size_t limit = 0;
  };

  // On the user-interface thread, as the destructor.
  explicit OutputPaneFeed(Pane pane);
  ~OutputPaneFeed() override;
  OutputPaneFeed(const OutputPaneFeed&) = delete;
  OutputPaneFeed& operator=(const OutputPaneFeed&) = delete;

  // From the worker: `write` appends text for the pane to the waiting text
  // (`replace`: the pane starts afresh with it). Beyond a bound of waiting
  // text it waits for the pane, and the child for the worker: memory stays
  // bounded however fast it prints.
  void Add(const std::function<void(std::string&)>& write, bool replace);
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
  std::atomic<bool> m_earlyPosted{false};
  std::condition_variable m_drained;
  bool m_closing = false;
  std::size_t m_shownLength = 0;
  QElapsedTimer m_sinceDrain;  // since the pane last got text
};

}  // namespace corvella
