// The command resources as data: texts per command, menus 128 / 129 / 138, toolbar 128, accelerators, status panes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

// One command's texts. `caption` keeps its "&" mnemonic; `shortcut` is the
// key text a menu-bar menu shows after a tab (empty when none); `prompt` is
// the status-bar text and `tooltip` the toolbar tip (empty when the string
// table entry has no tooltip part).
struct CommandText {
  int id = 0;
  std::string_view caption;
  std::string_view shortcut;
  std::string_view prompt;
  std::string_view tooltip;
};

// Every command that appears in a menu, each once.
std::span<const CommandText> CommandTexts();
// The texts of one command, or null for an id without texts (template and
// macro items, commands reached only by accelerator).
const CommandText* FindCommandText(int id);

struct MenuItem {
  enum class Kind : std::uint8_t { Command, Separator, Popup };
  Kind kind = Kind::Separator;
  int id = 0;                    // Command
  std::string_view caption;      // Popup
  std::vector<MenuItem> items;   // Popup
};

struct MenuResource {
  int id = 0;
  // Context menus show the bare captions; menu-bar menus add the shortcut text.
  bool showShortcuts = true;
  std::vector<MenuItem> popups;  // the top level: popups only
};

// Menus 128 (no document open), 129 (documents open) and 138 (the script
// view's context menu, one popup). Throws std::invalid_argument for other ids.
const MenuResource& FindMenuResource(int menuId);

// Toolbar 128: command ids left to right, res::ID_SEPARATOR for a gap. The
// images of the strip are in the same order, one per command.
std::span<const int> ToolbarButtons();

// Accelerator keys are virtual-key codes: 'A' to 'Z' for letters, the
// constants below for the rest. Modifiers combine the flags below.
namespace vk {
inline constexpr std::uint16_t kBack = 0x08;
inline constexpr std::uint16_t kPrior = 0x21;  // Page Up
inline constexpr std::uint16_t kNext = 0x22;   // Page Down
inline constexpr std::uint16_t kInsert = 0x2D;
inline constexpr std::uint16_t kDelete = 0x2E;
inline constexpr std::uint16_t kF1 = 0x70;  // F1 to F12 are consecutive
inline constexpr std::uint16_t kF12 = 0x7B;
}  // namespace vk

inline constexpr std::uint8_t kAccelShift = 0x04;
inline constexpr std::uint8_t kAccelControl = 0x08;
inline constexpr std::uint8_t kAccelAlt = 0x10;

struct Accelerator {
  std::uint16_t key = 0;
  std::uint8_t modifiers = 0;
  int id = 0;
  bool operator==(const Accelerator&) const = default;
};

// Accelerator table 128, in full.
std::span<const Accelerator> AcceleratorTable();
// The keys of one command; the one its menu shows comes first.
std::vector<Accelerator> AcceleratorsOf(int id);
// The key as a menu names it: "Ctrl+Shift+Del", "Alt+Back", "F3", "Ctrl+PgDn".
std::string AcceleratorText(const Accelerator& accel);

struct StatusPane {
  int id = 0;  // res::ID_SEPARATOR for the message pane
  std::string_view text;  // initial text; its width is the pane's width
};

// The status bar panes, left to right.
std::span<const StatusPane> StatusPanes();

}  // namespace corvella
