// Command routing: first handler in the chain wins, unhandled commands are disabled, update handlers set the state.
#include "base/CommandRouter.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

struct Target : CommandTarget {};

TEST(CommandRouter, TheFirstTargetThatHandlesACommandWins) {
  Target view, frame;
  std::vector<CommandTarget*> chain = {&view, nullptr, &frame};
  CommandRouter router([&] { return chain; });
  std::vector<std::string> ran;
  view.Commands().On(57643, [&] { ran.push_back("view undo"); });
  frame.Commands().On(57643, [&] { ran.push_back("frame undo"); });
  frame.Commands().On(32780, [&] { ran.push_back("frame indent"); });
  EXPECT_TRUE(router.Route(57643));
  EXPECT_TRUE(router.Route(32780));
  EXPECT_FALSE(router.Route(12345));
  EXPECT_EQ(ran, (std::vector<std::string>{"view undo", "frame indent"}));

  chain = {&frame};  // no view: the frame's handler answers
  router.Action(57643)->trigger();
  EXPECT_EQ(ran.back(), "frame undo");
}

TEST(CommandRouter, UpdateHandlersSetStateAndUnhandledCommandsAreDisabled) {
  Target frame;
  CommandRouter router([&] { return std::vector<CommandTarget*>{&frame}; });
  bool on = true, enabled = false;
  int ran = 0;
  frame.Commands().On(32782, [&] { on = !on; }, [&](CmdUI& ui) { ui.checked = on; });
  frame.Commands().On(32783, [&] { ++ran; }, [&](CmdUI& ui) { ui.enabled = enabled; });
  frame.Commands().OnRange(200, 299, [&](int id) { ran += id; });

  QMenu menu;
  menu.addAction(router.Action(32782));
  menu.addAction(router.Action(32783));
  menu.addAction(router.Action(57600));
  router.UpdateMenu(&menu);
  EXPECT_TRUE(router.Action(32782)->isChecked());
  EXPECT_FALSE(router.Action(32783)->isEnabled());
  EXPECT_FALSE(router.Action(57600)->isEnabled());  // nobody handles it

  EXPECT_FALSE(router.Route(32783));  // disabled: not run even when asked directly
  EXPECT_EQ(ran, 0);
  enabled = true;
  router.UpdateActions();
  EXPECT_TRUE(router.Action(32783)->isEnabled());
  router.Action(32782)->trigger();
  router.UpdateActions();
  EXPECT_FALSE(router.Action(32782)->isChecked());
  EXPECT_TRUE(router.Query(201).enabled);  // ids of a range stay enabled
  EXPECT_TRUE(router.Route(201));
  EXPECT_EQ(ran, 201);
}

}  // namespace
