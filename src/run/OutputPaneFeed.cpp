// A hidden run's output on its way into the output pane: collected from the run's worker, handed over in pieces on the user-interface thread, the pane kept within its limit.
#include "run/OutputPaneFeed.h"


#include <QMetaObject>
#include <QTimer>

namespace corvella {
namespace {

constexpr std::size_t kQueueLimit = 16u << 20;
// Waiting text past this size comes from a child that prints without pause.
constexpr std::size_t kFastOutput = 256u << 10;
constexpr qint64 kPaceMs = 20;
constexpr std::size_t kEarlyDrain = 4u << 20;
// Room beyond the bound for what one read adds, decoded.
constexpr std::size_t kReadRoom = 2u << 20;

}  // namespace

OutputPaneFeed::OutputPaneFeed(Pane pane) : m_pane(std::move(pane)) {
  if (m_pane.room) {
    m_queued.swap(m_pane.room->queued);
    m_taken.swap(m_pane.room->taken);
  }
}

OutputPaneFeed::~OutputPaneFeed() {
  if (!m_pane.room) return;
  m_queued.clear();
  m_taken.clear();
  m_pane.room->queued.swap(m_queued);
  m_pane.room->taken.swap(m_taken);
}

// While the pane has not taken what waits, more is added to it: one hand-over
// however many reads the worker made meanwhile. The worker decodes into the
// waiting text itself; the pane only swaps it out, so the lock is short.
void OutputPaneFeed::Add(const std::function<void(std::string&)>& write, bool replace) {
  std::unique_lock lock(m_lock);
  if (replace) {
    m_queued.clear();
    m_queuedReplace = true;
  } else if (m_queued.size() > kFastOutput && m_queued.capacity() < kQueueLimit + kReadRoom) {
    // A fast child's text gets room up to the bound at once: growing step by
    // step would copy what waits and touch fresh memory at every step, in
    // each of the two strings that trade places.
    m_queued.reserve(kQueueLimit + kReadRoom);
  }
  write(m_queued);
  if (!m_drainPosted.exchange(true)) QMetaObject::invokeMethod(this, [this] { DrainPaced(); }, Qt::QueuedConnection);
  // Past a few megabytes the pane takes the text without waiting for its
  // pace: the two strings then stay small, and a first run touches little
  // fresh memory for them.
  if (m_queued.size() >= kEarlyDrain && !m_earlyPosted.exchange(true)) {
    QMetaObject::invokeMethod(this, [this] { Drain(); }, Qt::QueuedConnection);
  }
  m_drained.wait(lock, [this] { return m_closing || m_queued.size() < kQueueLimit; });
}

void OutputPaneFeed::Close() {
  {
    const std::lock_guard lock(m_lock);
    m_closing = true;
  }
  m_drained.notify_all();
}

// A child that prints without a pause is shown at most once per kPaceMs:
// each hand-over costs the pane a repaint whatever its size, so fewer and
// larger ones let it keep up. A line now and then still shows at once.
void OutputPaneFeed::DrainPaced() {
  const qint64 since = m_sinceDrain.isValid() ? m_sinceDrain.elapsed() : kPaceMs;
  if (since >= kPaceMs) {
    Drain();
  } else {
    QTimer::singleShot(static_cast<int>(kPaceMs - since), this, &OutputPaneFeed::Drain);
  }
}

// The pane gets what arrived since the last time, in one piece; only when
// the whole text grows past twice the pane's limit is it cut to the limit.
void OutputPaneFeed::Drain() {
  // The two strings trade places, each keeping its room: the worker goes on
  // adding to memory it has used before while the pane copies from the other.
  std::string& text = m_taken;
  text.clear();
  bool replace = false;
  {
    const std::lock_guard lock(m_lock);
    text.swap(m_queued);
    replace = m_queuedReplace;
    m_queuedReplace = false;
    m_drainPosted = false;
    m_earlyPosted = false;
  }
  m_drained.notify_all();
  m_sinceDrain.start();
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

void OutputPaneFeed::Finish() {
  Drain();
  if (m_pane.limit && m_shownLength > m_pane.limit) {
    std::string all = m_pane.text();
    std::string_view last = std::string_view(all).substr(all.size() - m_pane.limit);
    if (const auto lf = last.find('\n'); lf != std::string_view::npos) last.remove_prefix(lf + 1);
    m_pane.set(last);
    m_shownLength = last.size();
  }
}

}  // namespace corvella
