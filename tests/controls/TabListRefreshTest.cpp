// Tab strip decisions: refresh plans against window lists, focus wrap-around, the border rule, tab rows.
#include "controls/TabListRefresh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace corvella;

namespace {

using Kind = TabRefreshStep::Kind;

TabWindow Win(TabWindowId id, std::string title, bool visible = true, std::string cls = "Frame") {
  return {id, std::move(cls), std::move(title), visible};
}

std::vector<std::string> Titles(const std::vector<TabItem>& items) {
  std::vector<std::string> t;
  for (const TabItem& i : items) t.push_back(i.title);
  return t;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(TabListRefresh, NewWindowsAreAppendedInOpeningOrderAndExistingTabsNeverMove) {
  const std::vector<TabWindow> windows{Win(10, "a.pl"), Win(20, "b.pl"), Win(30, "c.pl")};
  TabRefreshPlan plan = PlanTabRefresh({}, windows, 2, -1, true, false);
  EXPECT_EQ(Titles(plan.items), (Strings{"a.pl", "b.pl", "c.pl"}));
  ASSERT_EQ(plan.steps.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(plan.steps[i].kind, Kind::Append);
    EXPECT_EQ(plan.steps[i].tab, i);
    EXPECT_EQ(plan.steps[i].window, static_cast<std::size_t>(i));
  }
  EXPECT_EQ(plan.select, 2);
  EXPECT_EQ(plan.selection, 2);
  EXPECT_TRUE(plan.relayout);

  // Nothing new: no steps, no layout, selection already right.
  TabRefreshPlan again = PlanTabRefresh(plan.items, windows, 2, 2, true, false);
  EXPECT_TRUE(again.steps.empty());
  EXPECT_EQ(again.select, -1);
  EXPECT_FALSE(again.relayout);
  // A dirty layout alone still lays out.
  EXPECT_TRUE(PlanTabRefresh(plan.items, windows, 2, 2, true, true).relayout);
  // Another window becomes active: only the selection moves, and layout follows.
  TabRefreshPlan moved = PlanTabRefresh(plan.items, windows, 0, 2, true, false);
  EXPECT_TRUE(moved.steps.empty());
  EXPECT_EQ(moved.select, 0);
  EXPECT_TRUE(moved.relayout);

  // A window opened later goes to the end even if listed first.
  const std::vector<TabWindow> more{Win(40, "d.pl"), Win(10, "a.pl"), Win(20, "b.pl"), Win(30, "c.pl")};
  EXPECT_EQ(Titles(PlanTabRefresh(plan.items, more, 0, 2, true, false).items),
            (Strings{"a.pl", "b.pl", "c.pl", "d.pl"}));
  // Without addNew the new window is passed over and nothing counts as changed.
  TabRefreshPlan noAdd = PlanTabRefresh(plan.items, more, 0, 2, false, false);
  EXPECT_EQ(noAdd.items.size(), 3u);
  EXPECT_TRUE(noAdd.steps.empty());
  EXPECT_FALSE(noAdd.relayout);
}

TEST(TabListRefresh, TitlesFollowHiddenWindowsLoseTabsAndTheSelectionStaysOnTheActiveWindow) {
  std::vector<TabItem> items{{"b.pl", "Frame", 20}, {"c.pl", "Frame", 30}, {"a.pl", "Frame", 10}};
  // a.pl (tab 2) is active and selected; b.pl is hidden; c.pl was saved as new.pl.
  const std::vector<TabWindow> windows{Win(10, "a.pl"), Win(20, "b.pl", false), Win(30, "new.pl")};
  TabRefreshPlan plan = PlanTabRefresh(items, windows, 0, 2, true, false);
  ASSERT_EQ(plan.steps.size(), 2u);
  EXPECT_EQ(plan.steps[0].kind, Kind::Remove);
  EXPECT_EQ(plan.steps[0].tab, 0);
  EXPECT_EQ(plan.steps[1].kind, Kind::Retitle);
  EXPECT_EQ(plan.steps[1].tab, 0);  // c.pl moved up when b.pl's tab went
  EXPECT_EQ(plan.steps[1].window, 2u);
  EXPECT_EQ(Titles(plan.items), (Strings{"new.pl", "a.pl"}));
  // The strip's own selection followed the removal, so nothing needs selecting.
  EXPECT_EQ(plan.selection, 1);
  EXPECT_EQ(plan.select, -1);
  EXPECT_TRUE(plan.relayout);

  // Removing the selected tab itself leaves the active window's tab to select.
  TabRefreshPlan lost = PlanTabRefresh(items, {Win(20, "b.pl", false), Win(30, "c.pl")}, 1, 0, true, false);
  EXPECT_EQ(Titles(lost.items), (Strings{"c.pl", "a.pl"}));
  EXPECT_EQ(lost.select, 0);
  EXPECT_EQ(lost.selection, 0);

  // A hidden window without a tab gets none, yet counts as a change.
  TabRefreshPlan hidden = PlanTabRefresh({}, {Win(50, "x.pl", false)}, 0, -1, true, false);
  EXPECT_TRUE(hidden.items.empty());
  EXPECT_EQ(hidden.select, -1);
  EXPECT_TRUE(hidden.relayout);
}

TEST(TabListRefresh, TabsAreToldApartByWindowAndClassNotByText) {
  std::vector<TabItem> items{{"same.pl", "Frame", 10}, {"same.pl", "Frame", 20}};
  EXPECT_EQ(FindTab(items, 20, "Frame"), 1);
  EXPECT_EQ(FindTab(items, 30, "Frame"), -1);
  // The same identity now names another kind of window: not the tab's window.
  EXPECT_EQ(FindTab(items, 20, "Other"), -1);
  TabRefreshPlan plan = PlanTabRefresh(items, {Win(20, "same.pl", true, "Other")}, 0, 0, true, false);
  EXPECT_EQ(plan.items.size(), 3u);
  EXPECT_EQ(plan.items[2].className, "Other");
  EXPECT_EQ(plan.select, 2);

  EXPECT_EQ(SelectionAfterRemoval(3, 1), 2);
  EXPECT_EQ(SelectionAfterRemoval(1, 1), -1);
  EXPECT_EQ(SelectionAfterRemoval(0, 1), 0);
  EXPECT_EQ(SelectionAfterRemoval(-1, 0), -1);
}

TEST(TabListRefresh, NextAndPreviousWrapAround) {
  EXPECT_EQ(NextTabIndex(0, 3), 1);
  EXPECT_EQ(NextTabIndex(2, 3), 0);
  EXPECT_EQ(NextTabIndex(-1, 3), 0);
  EXPECT_EQ(PreviousTabIndex(1, 3), 0);
  EXPECT_EQ(PreviousTabIndex(0, 3), 2);
  EXPECT_EQ(PreviousTabIndex(-1, 3), 2);
  EXPECT_EQ(NextTabIndex(0, 1), 0);
  EXPECT_EQ(PreviousTabIndex(0, 1), 0);
  EXPECT_EQ(NextTabIndex(-1, 0), -1);
  EXPECT_EQ(PreviousTabIndex(-1, 0), -1);
}

TEST(TabListRefresh, BorderRuleNeverTurnsARectangleInsideOut) {
  EXPECT_EQ(DeflateByBorder({0, 0, 100, 50}, 5), (TabRect{5, 5, 95, 45}));
  // Exactly twice the border high: collapses at the bottom edge; width unaffected.
  EXPECT_EQ(DeflateByBorder({0, 0, 100, 10}, 5), (TabRect{5, 10, 95, 10}));
  EXPECT_EQ(DeflateByBorder({0, 20, 11, 23}, 5), (TabRect{5, 23, 6, 23}));
  EXPECT_EQ(DeflateByBorder({0, 0, 0, 0}, 5), (TabRect{0, 0, 0, 0}));
}

TEST(TabListRefresh, RowsFlowStretchAndTurnToTheSelectedTab) {
  // Everything fits: one row, natural widths, no stretching.
  TabRows one = LayoutTabRows({30, 40, 20}, 200, 2, true);
  EXPECT_EQ(one.rows, 1);
  EXPECT_EQ(one.places[2].x, 70);
  EXPECT_EQ(one.places[2].width, 20);

  // 100 pixels: [60 30] [50 40] [70]; each row stretched to 100.
  const std::vector<int> widths{60, 30, 50, 40, 70};
  TabRows rows = LayoutTabRows(widths, 100, 0, true);
  ASSERT_EQ(rows.rows, 3);
  EXPECT_EQ(rows.places[1].row, 0);
  EXPECT_EQ(rows.places[1].x + rows.places[1].width, 100);
  EXPECT_EQ(rows.places[3].x + rows.places[3].width, 100);
  EXPECT_EQ(rows.places[4].x, 0);
  EXPECT_EQ(rows.places[4].width, 100);
  EXPECT_EQ(rows.places[0].width + rows.places[1].width, 100);
  EXPECT_EQ(rows.places[2].row, 1);
  // Selecting tab 3 brings its row next to the display area; the others follow round.
  TabRows turned = LayoutTabRows(widths, 100, 3, true);
  EXPECT_EQ(turned.places[3].row, 0);
  EXPECT_EQ(turned.places[4].row, 1);
  EXPECT_EQ(turned.places[0].row, 2);

  // A tab wider than the row is cut to it.
  TabRows wide = LayoutTabRows({10, 500}, 100, -1, true);
  EXPECT_EQ(wide.rows, 2);
  EXPECT_EQ(wide.places[1].width, 100);

  // Single line: narrowed in proportion, never past the end.
  TabRows single = LayoutTabRows({100, 100, 200}, 200, 0, false);
  EXPECT_EQ(single.rows, 1);
  EXPECT_EQ(single.places[2].x, 100);
  EXPECT_EQ(single.places[2].x + single.places[2].width, 200);

  TabRows none = LayoutTabRows({}, 100, -1, true);
  EXPECT_EQ(none.rows, 1);
  EXPECT_TRUE(none.places.empty());
}

TEST(TabListRefresh, LimitedRowsKeepTheSelectedRowAndScrollThroughTheRest) {
  // [60 30] [50 40] [70] at 100: three rows, two shown.
  const std::vector<int> widths{60, 30, 50, 40, 70};
  TabRows limited = LayoutTabRows(widths, 100, 0, true, {.maxRows = 2});
  EXPECT_EQ(limited.rows, 3);
  EXPECT_EQ(limited.shownRows, 2);
  EXPECT_EQ(limited.maxScroll, 1);
  EXPECT_FALSE(limited.listButton);
  EXPECT_EQ(limited.places[0].line, 0);
  EXPECT_EQ(limited.places[2].line, 1);
  EXPECT_EQ(limited.places[4].line, -1);
  TabRows scrolled = LayoutTabRows(widths, 100, 0, true, {.maxRows = 2, .scroll = 5});
  EXPECT_EQ(scrolled.scroll, 1);
  EXPECT_EQ(scrolled.places[1].line, 0);
  EXPECT_EQ(scrolled.places[2].line, -1);
  EXPECT_EQ(scrolled.places[4].line, 1);

  // The list button shortens the rows only when something would be left out.
  TabRows button = LayoutTabRows(widths, 110, 0, true, {.maxRows = 2, .buttonWidth = 10});
  EXPECT_TRUE(button.listButton);
  EXPECT_EQ(button.length, 100);
  EXPECT_EQ(button.places[4].x + button.places[4].width, 100);
  TabRows roomy = LayoutTabRows(widths, 110, 0, true, {.maxRows = 3, .buttonWidth = 10});
  EXPECT_FALSE(roomy.listButton);
  EXPECT_EQ(roomy.length, 110);
  EXPECT_EQ(LayoutTabRows({100, 100}, 300, 0, false, {.buttonWidth = 20}).listButton, false);
  TabRows narrowed = LayoutTabRows({100, 100, 200}, 200, 0, false, {.buttonWidth = 20});
  EXPECT_TRUE(narrowed.listButton);
  EXPECT_EQ(narrowed.places[2].x + narrowed.places[2].width, 180);

  EXPECT_EQ(ShownTabRowLimit(1000, 25), 3);
  EXPECT_EQ(ShownTabRowLimit(200, 25), 2);
  EXPECT_EQ(ShownTabRowLimit(40, 25), 1);
  EXPECT_EQ(ShownTabRowLimit(0, 25), 1);
}

// Random strips against a plain reference: the rows a greedy flow makes,
// never more shown than the limit, the selected tab's row always shown,
// every row reachable by scrolling, shown tabs side by side within the row.
TEST(TabListRefresh, LimitedRowsAgreeWithAPlainReference) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    const int count = std::uniform_int_distribution<int>(0, 250)(random);
    const int available = std::uniform_int_distribution<int>(1, 900)(random);
    std::vector<int> widths;
    for (int i = 0; i < count; ++i) widths.push_back(std::uniform_int_distribution<int>(-5, 400)(random));
    const int selected = std::uniform_int_distribution<int>(-1, std::max(count - 1, -1))(random);
    const int maxRows = std::uniform_int_distribution<int>(1, 4)(random);
    const int scroll = std::uniform_int_distribution<int>(-2, 80)(random);
    const int button = std::uniform_int_distribution<int>(0, 1)(random) * 18;
    const TabRows got = LayoutTabRows(widths, available, selected, true, {maxRows, scroll, button});

    // The reference flow at the length the layout chose.
    const int length = std::max(available, 1) - (got.listButton ? button : 0);
    int rows = 1, x = 0;
    std::vector<int> flowRow;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      const int w = std::min(std::max(widths[i], 1), length);
      if (x > 0 && x + w > length) {
        ++rows;
        x = 0;
      }
      flowRow.push_back(rows - 1);
      x += w;
    }
    SCOPED_TRACE(round);
    ASSERT_EQ(got.rows, rows);
    ASSERT_EQ(got.length, length);
    EXPECT_EQ(got.shownRows, std::min(rows, maxRows));
    EXPECT_LE(got.shownRows, maxRows);
    int rowsAtFull = 1;
    x = 0;
    for (int natural : widths) {
      const int w = std::min(std::max(natural, 1), available);
      if (x > 0 && x + w > available) {
        ++rowsAtFull;
        x = 0;
      }
      x += w;
    }
    EXPECT_EQ(got.listButton, button > 0 && count > 0 && available > button && rowsAtFull > maxRows);
    if (selected >= 0) {
      EXPECT_EQ(got.places[static_cast<std::size_t>(selected)].line, 0);
    }

    std::set<int> reachable;
    for (int s = 0; s <= got.maxScroll; ++s) {
      const TabRows at = LayoutTabRows(widths, available, selected, true, {maxRows, s, button});
      std::map<int, int> lineOfRow;
      std::map<int, int> endOfLine;
      for (std::size_t i = 0; i < at.places.size(); ++i) {
        const TabSlot& slot = at.places[i];
        const int flowed = (flowRow[i] - (selected >= 0 ? flowRow[static_cast<std::size_t>(selected)] : 0) + rows) % rows;
        ASSERT_EQ(slot.row, flowed);
        ASSERT_GE(slot.line, -1);
        ASSERT_LT(slot.line, at.shownRows);
        if (lineOfRow.count(slot.row)) {
          ASSERT_EQ(lineOfRow[slot.row], slot.line);
        }
        lineOfRow[slot.row] = slot.line;
        if (slot.line < 0) continue;
        reachable.insert(slot.row);
        ASSERT_GE(slot.x, endOfLine[slot.line]);  // in order, never overlapping
        ASSERT_LE(slot.x + slot.width, length);
        endOfLine[slot.line] = slot.x + slot.width;
      }
      EXPECT_EQ(static_cast<int>(endOfLine.size()), count ? at.shownRows : 0);
    }
    if (got.shownRows > 1 || rows == 1) {
      EXPECT_EQ(static_cast<int>(reachable.size()), count ? rows : 0);
    }
  }
}
