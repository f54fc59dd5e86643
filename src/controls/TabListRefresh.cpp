// Window-free decisions of the document tab strip: what a refresh adds, drops and retitles, focus wrap-around, tab rows, the border rule.
#include "controls/TabListRefresh.h"

#include <algorithm>

namespace corvella {

int FindTab(const std::vector<TabItem>& items, TabWindowId window, std::string_view className) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].window == window && items[i].className == className) return static_cast<int>(i);
  }
  return -1;
}

int SelectionAfterRemoval(int selection, int removed) {
  if (selection == removed) return -1;
  return selection > removed ? selection - 1 : selection;
}

TabRefreshPlan PlanTabRefresh(std::vector<TabItem> items, const std::vector<TabWindow>& windows,
                              int activeWindow, int selection, bool addNew, bool layoutDirty) {
  TabRefreshPlan plan;
  bool changed = layoutDirty;
  for (std::size_t w = 0; w < windows.size(); ++w) {
    const TabWindow& window = windows[w];
    const int tab = FindTab(items, window.window, window.className);
    if (tab >= 0 && window.visible) {
      if (items[tab].title != window.title) {
        items[tab].title = window.title;
        plan.steps.push_back({TabRefreshStep::Kind::Retitle, tab, w});
        changed = true;
      }
    } else if (tab >= 0) {
      items.erase(items.begin() + tab);
      selection = SelectionAfterRemoval(selection, tab);
      plan.steps.push_back({TabRefreshStep::Kind::Remove, tab, w});
      changed = true;
    } else if (addNew) {
      if (window.visible) {
        items.push_back({window.title, window.className, window.window});
        plan.steps.push_back({TabRefreshStep::Kind::Append, static_cast<int>(items.size()) - 1, w});
      }
      changed = true;
    }
  }
  if (activeWindow >= 0 && static_cast<std::size_t>(activeWindow) < windows.size()) {
    const TabWindow& active = windows[static_cast<std::size_t>(activeWindow)];
    const int tab = active.visible ? FindTab(items, active.window, active.className) : -1;
    if (tab >= 0 && tab != selection) plan.select = tab;
  }
  plan.items = std::move(items);
  plan.selection = plan.select >= 0 ? plan.select : selection;
  plan.relayout = plan.select >= 0 || changed;
  return plan;
}

int NextTabIndex(int focused, int count) {
  if (count <= 0) return -1;
  const int next = focused + 1;
  return next >= count ? 0 : next;
}

int PreviousTabIndex(int focused, int count) {
  if (count <= 0) return -1;
  const int previous = focused - 1;
  return previous < 0 ? count - 1 : std::min(previous, count - 1);
}

namespace {

void DeflateSpan(int& low, int& high, int border) {
  if (high - low > 2 * border) {
    low += border;
    high -= border;
  } else {
    low = high;
  }
}

}  // namespace

TabRect DeflateByBorder(TabRect rect, int border) {
  DeflateSpan(rect.top, rect.bottom, border);
  DeflateSpan(rect.left, rect.right, border);
  return rect;
}

int ShownTabRowLimit(int height, int tabHeight) {
  if (tabHeight <= 0) return kMaxShownTabRows;
  return std::clamp(height / 4 / tabHeight, 1, kMaxShownTabRows);
}

namespace {

long long TotalWidth(const std::vector<int>& widths) {
  long long total = 0;
  for (int w : widths) total += std::max(w, 1);
  return total;
}

// How many rows the tabs flow into at `length`.
int FlowRowCount(const std::vector<int>& widths, int length) {
  int rows = widths.empty() ? 1 : 0;
  int x = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const int w = std::clamp(widths[i], 1, length);
    if (i == 0 || (x > 0 && x + w > length)) {
      ++rows;
      x = 0;
    }
    x += w;
  }
  return rows;
}

TabRows LayoutAllRows(const std::vector<int>& widths, int length, int selected, bool multiLine) {
  TabRows result;
  result.length = length;
  result.places.resize(widths.size());
  if (widths.empty()) return result;

  if (!multiLine) {
    const long long total = TotalWidth(widths);
    int x = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      long long w = std::max(widths[i], 1);
      if (total > length) w = std::max<long long>(1, w * length / total);
      result.places[i] = {0, x, static_cast<int>(w)};
      x += static_cast<int>(w);
    }
    return result;
  }

  // Flow, remembering where each row starts.
  std::vector<std::size_t> rowStart{0};
  int x = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const int w = std::clamp(widths[i], 1, length);
    if (x > 0 && x + w > length) {
      rowStart.push_back(i);
      x = 0;
    }
    result.places[i] = {static_cast<int>(rowStart.size()) - 1, x, w};
    x += w;
  }
  result.rows = static_cast<int>(rowStart.size());
  if (result.rows == 1) return result;

  rowStart.push_back(widths.size());
  for (std::size_t r = 0; r + 1 < rowStart.size(); ++r) {
    const std::size_t first = rowStart[r];
    const std::size_t end = rowStart[r + 1];
    const int count = static_cast<int>(end - first);
    const TabSlot& last = result.places[end - 1];
    const int extra = length - (last.x + last.width);
    int offset = 0;
    for (std::size_t i = first; i < end; ++i) {
      const int k = static_cast<int>(i - first);
      const int grow = extra / count + (k < extra % count ? 1 : 0);
      result.places[i].x += offset;
      result.places[i].width += grow;
      offset += grow;
    }
  }
  if (selected >= 0 && static_cast<std::size_t>(selected) < widths.size()) {
    const int selectedRow = result.places[static_cast<std::size_t>(selected)].row;
    for (TabSlot& slot : result.places) slot.row = (slot.row - selectedRow + result.rows) % result.rows;
  }
  return result;
}

}  // namespace

TabRows LayoutTabRows(const std::vector<int>& widths, int available, int selected, bool multiLine,
                      const TabRowLimit& limit) {
  int length = std::max(available, 1);
  bool button = false;
  if (limit.buttonWidth > 0 && !widths.empty() && length > limit.buttonWidth) {
    button = multiLine ? limit.maxRows > 0 && FlowRowCount(widths, length) > limit.maxRows
                       : TotalWidth(widths) > length;
    if (button) length -= limit.buttonWidth;
  }
  TabRows result = LayoutAllRows(widths, length, selected, multiLine);
  result.listButton = button;
  result.shownRows = limit.maxRows > 0 ? std::min(result.rows, limit.maxRows) : result.rows;
  result.maxScroll = result.shownRows > 1 ? result.rows - result.shownRows : 0;
  result.scroll = std::clamp(limit.scroll, 0, result.maxScroll);
  for (TabSlot& slot : result.places) {
    if (slot.row == 0) {
      slot.line = 0;
    } else if (slot.row > result.scroll && slot.row < result.scroll + result.shownRows) {
      slot.line = slot.row - result.scroll;
    } else {
      slot.line = -1;
    }
  }
  return result;
}

}  // namespace corvella
