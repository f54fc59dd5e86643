// Window-free decisions of the document tab strip: what a refresh adds, drops and retitles, focus wrap-around, tab rows, the border rule.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

// Identity of a document window; compared, never dereferenced.
using TabWindowId = std::uintptr_t;

// One tab. `className` is the window's class when the tab was made, so that a
// recycled identity of another kind of window never matches.
struct TabItem {
  std::string title;
  std::string className;
  TabWindowId window = 0;
};

// A document window as a refresh sees it.
struct TabWindow {
  TabWindowId window = 0;
  std::string className;  // its class now
  std::string title;      // the text its tab should show
  bool visible = false;
};

// The first tab standing for `window` whose class name matches exactly; -1 if none.
int FindTab(const std::vector<TabItem>& items, TabWindowId window, std::string_view className);

// The selection after tab `removed` is deleted: gone with it, or shifted
// down one when it stood behind it.
int SelectionAfterRemoval(int selection, int removed);

// One change to the tab strip. Steps are applied in order; `tab` is the
// index at the moment the step is applied (for Append, the index it gets).
struct TabRefreshStep {
  enum class Kind { Retitle, Remove, Append };
  Kind kind = Kind::Retitle;
  int tab = -1;
  std::size_t window = 0;  // index into the windows of the refresh
};

struct TabRefreshPlan {
  std::vector<TabRefreshStep> steps;
  std::vector<TabItem> items;  // the tabs once the steps are applied
  int selection = -1;          // the strip's selection once the steps are applied
  int select = -1;             // tab to select (that of the active window), -1 for no change
  bool relayout = false;
};

// One refresh of the strip against the document windows, given in the order
// they were opened so that new tabs follow that order. A visible window with
// a tab gets its title followed, a hidden one loses its tab, a visible one
// without a tab gets one appended when `addNew` (meeting a window without a
// tab counts as a change even when it is hidden). The active window's tab is
// looked up after every step, so removals in front of it cannot leave a
// stale index. Layout is needed after any change, when `layoutDirty`, or
// when the selection moves.
TabRefreshPlan PlanTabRefresh(std::vector<TabItem> items, const std::vector<TabWindow>& windows,
                              int activeWindow, int selection, bool addNew, bool layoutDirty);

// The tab that next / previous tab focuses: wraps past either end; -1 when
// there are no tabs. `focused` may be -1 (nothing focused).
int NextTabIndex(int focused, int count);
int PreviousTabIndex(int focused, int count);

// A rectangle in pixels; right and bottom are exclusive.
struct TabRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const TabRect&, const TabRect&) = default;
};

// Takes `border` off each side. In a direction no longer than twice the
// border the rectangle collapses to nothing at its far edge instead of
// turning inside out.
TabRect DeflateByBorder(TabRect rect, int border);

// Where each tab sits: its row counted from the display area (0 touches it),
// its offset along the row and its width. `line` is where the row shows
// when the rows on show are limited: its place among them counted from the
// display area, -1 when the row is scrolled out of view.
struct TabSlot {
  int row = 0;
  int x = 0;
  int width = 0;
  int line = 0;
};

struct TabRows {
  int rows = 1;               // every row
  int shownRows = 1;          // the rows on show, at most the limit
  int scroll = 0;             // the first row shown after the selected one's, less one
  int maxScroll = 0;          // how far the rows can scroll
  bool listButton = false;    // a button for the list of all tabs ends the rows
  int length = 0;             // the rows' length, the button's width off when it shows
  std::vector<TabSlot> places;
};

// Room for the rows kept within bounds. `maxRows` 0 shows every row;
// `buttonWidth` is what a list button takes off the end of the rows, 0 for
// no button.
struct TabRowLimit {
  int maxRows = 0;
  int scroll = 0;
  int buttonWidth = 0;
};

// At most this many rows of tabs show at once.
inline constexpr int kMaxShownTabRows = 3;

// How many rows of `tabHeight` may show on a client `height` pixels high:
// at most kMaxShownTabRows, and no more than a quarter of the height, but
// always one.
int ShownTabRowLimit(int height, int tabHeight);

// Lays tabs of the given natural widths into rows `available` pixels long.
// Multi-line: tabs flow into as many rows as needed (a tab wider than a row
// gets a row of its own, cut to the row); with more than one row every row
// is stretched to the full length, and the rows turn so that the selected
// tab's row touches the display area. Single line: one row, every tab
// narrowed in proportion when they do not fit.
// With `limit.maxRows` set, only that many rows show: the selected tab's row
// (row 0) always, then the rows from `limit.scroll` + 1 on (the scroll is
// clamped to 0..maxScroll). When rows are left out (multi-line) or tabs are
// narrowed (single line) and `limit.buttonWidth` is set, the rows are laid
// again that much shorter and the list button takes the end.
TabRows LayoutTabRows(const std::vector<int>& widths, int available, int selected, bool multiLine,
                      const TabRowLimit& limit = {});

}  // namespace corvella
