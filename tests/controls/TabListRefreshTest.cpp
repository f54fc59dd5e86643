// Tab strip decisions: refresh plans against window lists, focus wrap-around, the border rule, tab rows.
#include "controls/TabListRefresh.h"

#include <gtest/gtest.h>

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
