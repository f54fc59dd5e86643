// The command resources: menus, toolbar, accelerators and status panes fit together and keep their fixed order.
#include "app/CommandTable.h"

#include <set>
#include <stdexcept>
#include <utility>

#include <gtest/gtest.h>

#include "res/DebuggerStrings.h"
#include "res/Strings.h"
#include "res/resource.h"

using namespace corvella;
using namespace corvella::res;

namespace {

void CollectIds(const std::vector<MenuItem>& items, std::vector<int>& ids) {
  for (const MenuItem& item : items) {
    if (item.kind == MenuItem::Kind::Command) ids.push_back(item.id);
    if (item.kind == MenuItem::Kind::Popup) CollectIds(item.items, ids);
  }
}

std::vector<int> Ids(const MenuItem& popup) {
  std::vector<int> ids;
  CollectIds(popup.items, ids);
  return ids;
}

std::vector<int> Ids(const MenuResource& menu) {
  std::vector<int> ids;
  for (const MenuItem& popup : menu.popups) CollectIds(popup.items, ids);
  return ids;
}

TEST(CommandTable, EveryMenuCommandHasItsTexts) {
  std::set<int> inMenus;
  for (const int menuId : {IDR_MAINFRAME, IDR_PLUMOTYPE, IDR_CONTEXT}) {
    for (const int id : Ids(FindMenuResource(menuId))) {
      inMenus.insert(id);
      const CommandText* text = FindCommandText(id);
      ASSERT_NE(text, nullptr) << id;
      EXPECT_FALSE(text->caption.empty()) << id;
      EXPECT_FALSE(text->prompt.empty()) << id;
      EXPECT_EQ(text->prompt.find('\n'), std::string_view::npos) << id;
      // Only the recent-file placeholder has a prompt without a tooltip.
      EXPECT_EQ(text->tooltip.empty(), id == ID_FILE_MRU_FILE1) << id;
    }
  }
  // Each command's texts once, and no texts for a command that no menu shows.
  std::set<int> texts;
  for (const CommandText& text : CommandTexts()) {
    EXPECT_TRUE(texts.insert(text.id).second) << text.id;
    EXPECT_TRUE(inMenus.count(text.id)) << text.id;
  }
  EXPECT_EQ(texts, inMenus);
  EXPECT_EQ(FindCommandText(ID_SWITCH_FOCUS), nullptr);
  EXPECT_EQ(FindCommandText(ID_TEMPLATE_FIRST), nullptr);

  const CommandText* redo = FindCommandText(ID_EDIT_REDO);
  ASSERT_NE(redo, nullptr);
  EXPECT_EQ(redo->shortcut, "Ctrl+Y");
  EXPECT_EQ(redo->prompt, "前の未完了操作を繰り返す");
  EXPECT_EQ(redo->tooltip, "やり直し");
}

TEST(CommandTable, MenusHoldTheirPopupsInOrder) {
  const MenuResource& docMenu = FindMenuResource(IDR_PLUMOTYPE);
  std::vector<std::string_view> captions;
  for (const MenuItem& popup : docMenu.popups) {
    EXPECT_EQ(popup.kind, MenuItem::Kind::Popup);
    captions.push_back(popup.caption);
  }
  EXPECT_EQ(captions, (std::vector<std::string_view>{str::kFileMenuCaption, str::kEditMenuCaption,
                                                      str::kViewMenuCaption, str::kCommandMenuCaption,
                                                      str::kDebuggerMenuCaption, str::kTemplateMenuCaption, str::kMacroMenuCaption,
                                                      str::kWindowMenuCaption, str::kHelpMenuCaption}));
  EXPECT_TRUE(docMenu.showShortcuts);
  ASSERT_EQ(docMenu.popups.size(), 9u);
  EXPECT_EQ(docMenu.popups[0].items.size(), 17u);
  EXPECT_EQ(docMenu.popups[1].items.size(), 16u);
  EXPECT_EQ(docMenu.popups[3].items.size(), 17u);
  // Template and macro items are found from the template popup's first item,
  // and the macro popup starts as a lone separator.
  EXPECT_EQ(docMenu.popups[5].items.front().id, ID_TEMPLATE_ADD);
  EXPECT_EQ(docMenu.popups[5].items.back().kind, MenuItem::Kind::Separator);
  ASSERT_EQ(docMenu.popups[6].items.size(), 1u);
  EXPECT_EQ(docMenu.popups[6].items[0].kind, MenuItem::Kind::Separator);
  // The debug and identifier-check sub-menus sit inside the command popup.
  const MenuItem& debug = docMenu.popups[3].items[6];
  ASSERT_EQ(debug.kind, MenuItem::Kind::Popup);
  EXPECT_EQ(Ids(debug), (std::vector<int>{ID_COMMAND_DEBUG_RUN, ID_COMMAND_DEBUG_RUN_ARGS}));
  // The error marks' items end the debugger popup, after a separator.
  const std::vector<MenuItem>& debugger = docMenu.popups[4].items;
  ASSERT_GE(debugger.size(), 4u);
  EXPECT_EQ(debugger[debugger.size() - 4].kind, MenuItem::Kind::Separator);
  EXPECT_EQ(std::vector<int>({debugger[debugger.size() - 3].id, debugger[debugger.size() - 2].id, debugger.back().id}),
            (std::vector<int>{ID_NEXT_ERROR_MARK, ID_PREV_ERROR_MARK, ID_BACKGROUND_CHECK}));

  // Without documents: file, view, command and help; view and help as above.
  const MenuResource& bare = FindMenuResource(IDR_MAINFRAME);
  ASSERT_EQ(bare.popups.size(), 4u);
  EXPECT_EQ(bare.popups[0].caption, str::kFileMenuCaption);
  EXPECT_EQ(Ids(bare.popups[0]), (std::vector<int>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_PRINT_SETUP,
                                                   ID_FILE_MRU_FILE1, ID_APP_EXIT}));
  EXPECT_EQ(bare.popups[0].items.size(), 8u);
  EXPECT_EQ(Ids(bare.popups[1]), Ids(docMenu.popups[2]));
  EXPECT_EQ(Ids(bare.popups[2]), (std::vector<int>{ID_COMMAND_STOP, ID_COMMAND_VERSION, ID_COMMAND_CONFIG,
                                                   ID_COMMAND_USE_JPERL, ID_COMMAND_INSIDE_MODE,
                                                   ID_COMMAND_SETTINGS}));
  EXPECT_EQ(Ids(bare.popups[3]), Ids(docMenu.popups[8]));
  // The documentation lookup ends the help popup, after a separator.
  const std::vector<MenuItem>& help = docMenu.popups[8].items;
  ASSERT_EQ(help.size(), 10u);
  EXPECT_EQ(help[7].kind, MenuItem::Kind::Separator);
  EXPECT_EQ(Ids(docMenu.popups[8]), (std::vector<int>{ID_HELP_README, ID_HELP_ASSOCIATE, ID_HELP_SHORTCUT, ID_HELP_REPORT,
                                                      ID_APP_ABOUT, ID_HELP_PERLDOC, ID_VIEW_PERLDOC_PANE}));

  // The context menu: one popup, bare captions, the edit and run commands.
  const MenuResource& context = FindMenuResource(IDR_CONTEXT);
  EXPECT_FALSE(context.showShortcuts);
  ASSERT_EQ(context.popups.size(), 1u);
  EXPECT_EQ(context.popups[0].items.size(), 22u);
  // The breakpoint commands after a separator at its end.
  EXPECT_EQ(context.popups[0].items[19].kind, MenuItem::Kind::Separator);
  EXPECT_EQ(context.popups[0].items[20].id, ID_DEBUG_TOGGLE_BREAKPOINT);
  EXPECT_EQ(context.popups[0].items[21].id, ID_DEBUG_CLEAR_BREAKPOINTS);
  // Its sub-menus are those of the command popup.
  EXPECT_EQ(context.popups[0].items[16].caption, debug.caption);
  EXPECT_EQ(Ids(context.popups[0].items[16]), Ids(debug));
  EXPECT_EQ(Ids(context.popups[0].items[17]), Ids(docMenu.popups[3].items[7]));

  EXPECT_THROW(FindMenuResource(130), std::invalid_argument);
}

TEST(CommandTable, ToolbarButtonsInTheirOrder) {
  const std::vector<int> buttons(ToolbarButtons().begin(), ToolbarButtons().end());
  EXPECT_EQ(buttons, (std::vector<int>{57600, 57601, 57603, 0, 57635, 57634, 57637, 57643, 57644, 0, 57636, 57641, 0,
                                       32773, 32774, 32793, 32784, 32789, 0, 57650, 57651, 57652, 0, 57607, 0,
                                       57664, 0, 32810, 32811, 32812, 32813, 32815, 32816}));
  for (const int id : buttons) {
    if (id == ID_SEPARATOR) continue;
    const CommandText* text = FindCommandText(id);
    ASSERT_NE(text, nullptr) << id;
    EXPECT_FALSE(text->tooltip.empty()) << id;
  }
}

TEST(CommandTable, AcceleratorsAreUniqueAndMatchTheMenus) {
  const auto table = AcceleratorTable();
  std::set<std::pair<int, int>> keys;
  for (const Accelerator& a : table) {
    EXPECT_TRUE(keys.insert({a.key, a.modifiers}).second) << AcceleratorText(a);
  }

  const auto undo = AcceleratorsOf(ID_EDIT_UNDO);
  ASSERT_EQ(undo.size(), 2u);
  EXPECT_EQ(AcceleratorText(undo[0]), "Ctrl+Z");  // the key the menu shows comes first
  EXPECT_EQ(AcceleratorText(undo[1]), "Alt+Back");
  EXPECT_EQ(AcceleratorsOf(ID_EDIT_REDO), (std::vector<Accelerator>{{'Y', kAccelControl, ID_EDIT_REDO}}));
  EXPECT_EQ(AcceleratorsOf(ID_COMMAND_RUN), (std::vector<Accelerator>{{0x76, 0, ID_COMMAND_RUN}}));
  EXPECT_EQ(AcceleratorsOf(ID_EDIT_FIND), (std::vector<Accelerator>{{'F', kAccelControl, ID_EDIT_FIND}}));
  EXPECT_EQ(AcceleratorText(AcceleratorsOf(ID_EDIT_CTRL_SHIFT_DELETE).at(0)), "Ctrl+Shift+Del");
  EXPECT_EQ(AcceleratorText(AcceleratorsOf(ID_NEXT_TAB).at(0)), "Ctrl+PgDn");
  EXPECT_EQ(AcceleratorsOf(ID_EDIT_COPY).size(), 2u);
  EXPECT_EQ(AcceleratorsOf(ID_EDIT_PASTE).size(), 2u);
  EXPECT_EQ(AcceleratorsOf(ID_EDIT_CUT).size(), 2u);
  const auto close = AcceleratorsOf(ID_FILE_CLOSE);
  ASSERT_EQ(close.size(), 2u);
  EXPECT_EQ(AcceleratorText(close[0]), "Ctrl+F4");
  EXPECT_EQ(AcceleratorText(close[1]), "Ctrl+W");
  EXPECT_EQ(AcceleratorText(AcceleratorsOf(ID_DEBUG_TOGGLE_BREAKPOINT).at(0)), "Ctrl+F9");
  EXPECT_EQ(AcceleratorsOf(ID_HELP_PERLDOC), (std::vector<Accelerator>{{0x70, 0, ID_HELP_PERLDOC}}));
  EXPECT_EQ(AcceleratorText(AcceleratorsOf(ID_NEXT_ERROR_MARK).at(0)), "F4");
  EXPECT_EQ(AcceleratorText(AcceleratorsOf(ID_PREV_ERROR_MARK).at(0)), "Shift+F4");

  // A shortcut shown in a menu is a key of that command; only Delete is left
  // to the edit control itself.
  for (const CommandText& text : CommandTexts()) {
    if (text.shortcut.empty() || text.id == ID_EDIT_CLEAR) continue;
    const auto own = AcceleratorsOf(text.id);
    ASSERT_FALSE(own.empty()) << text.id;
    EXPECT_EQ(AcceleratorText(own.front()), text.shortcut) << text.id;
  }
}

TEST(CommandTable, StatusPanesInOrder) {
  const auto panes = StatusPanes();
  ASSERT_EQ(panes.size(), 8u);
  EXPECT_EQ(panes[0].id, ID_SEPARATOR);
  EXPECT_TRUE(panes[0].text.empty());
  const std::vector<int> expected{ID_SEPARATOR,      ID_INDICATOR_LINE, ID_INDICATOR_KANJI, ID_INDICATOR_CRLF,
                                  ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,   ID_INDICATOR_SCRL};
  for (std::size_t i = 0; i < panes.size(); ++i) {
    EXPECT_EQ(panes[i].id, expected[i]) << i;
    if (i > 0) {
      EXPECT_FALSE(panes[i].text.empty()) << i;
    }
  }
  EXPECT_EQ(panes[1].text, " 行: 0000");
}

}  // namespace
