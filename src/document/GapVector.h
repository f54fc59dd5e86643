// A sequence with a gap at the last place it was changed: inserting or erasing where the previous change was costs
// nothing for the items after it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace corvella {

// Items [0, m_gapAt) and [m_gapAt + m_gap, m_items.size()) in order; the gap
// moves to each change, so a change costs the distance from the previous
// one, not the length of the sequence.
template <class T>
class GapVector {
 public:
  std::size_t size() const { return m_items.size() - m_gap; }
  T& operator[](std::size_t i) { return m_items[i < m_gapAt ? i : i + m_gap]; }
  const T& operator[](std::size_t i) const { return m_items[i < m_gapAt ? i : i + m_gap]; }

  void Insert(std::size_t at, std::size_t count, const T& value) {
    if (count > m_gap) Widen(count);
    MoveGapTo(at);
    std::fill_n(m_items.begin() + static_cast<std::ptrdiff_t>(at), count, value);
    m_gapAt += count;
    m_gap -= count;
  }
  void Erase(std::size_t at, std::size_t count) {
    MoveGapTo(at);
    m_gap += count;
  }
  void PushBack(const T& value) { Insert(size(), 1, value); }
  // Room for `count` items without moving them again; grows by at least a
  // quarter, so that asking for one more each time stays cheap.
  void Reserve(std::size_t count) {
    const std::size_t needed = count + m_gap;
    if (needed <= m_items.capacity()) return;
    m_items.reserve(std::max(needed, m_items.capacity() + m_items.capacity() / 4));
  }
  // Drops the items from `count` on.
  void Truncate(std::size_t count) {
    if (count >= size()) return;
    MoveGapTo(count);
    m_items.resize(count + m_gap);
  }

 private:
  void MoveGapTo(std::size_t at) {
    if (m_gap == 0) {
      m_gapAt = at;
      return;
    }
    const auto items = m_items.begin();
    const auto gapAt = static_cast<std::ptrdiff_t>(m_gapAt);
    const auto gap = static_cast<std::ptrdiff_t>(m_gap);
    const auto to = static_cast<std::ptrdiff_t>(at);
    if (to < gapAt) std::move_backward(items + to, items + gapAt, items + gapAt + gap);
    if (to > gapAt) std::move(items + gapAt + gap, items + to + gap, items + gapAt);
    m_gapAt = at;
  }
  // Room for `count` more, and some to spare, so that growing one item at a
  // time costs little.
  void Widen(std::size_t count) {
    // Within reserved room, so that a reserved vector is never copied.
    const std::size_t spare = m_items.capacity() - m_items.size();
    const std::size_t want = count + size() / 8 + 64;
    const std::size_t extra = spare >= count ? std::min(spare, want) : want;
    const auto after = m_items.begin() + static_cast<std::ptrdiff_t>(m_gapAt + m_gap);
    m_items.insert(after, extra, T{});
    m_gap += extra;
  }

  std::vector<T> m_items;
  std::size_t m_gapAt = 0;
  std::size_t m_gap = 0;
};

}  // namespace corvella
