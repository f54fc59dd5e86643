// The saved docking layout of the main window: which bars it names and the layout itself, kept in one profile section.
#include "app/DockLayout.h"

#include <charconv>

#include "base/Profile.h"

namespace corvella {
namespace {

constexpr std::string_view kBarsEntry = "Bars";
constexpr std::string_view kStateEntry = "State";

// "59392,131": decimal ids separated by commas; nothing when any part is not one.
std::optional<std::vector<int>> ParseBarIds(std::string_view text) {
  std::vector<int> ids;
  if (text.empty()) return ids;
  for (;;) {
    const std::size_t comma = text.find(',');
    const std::string_view part = text.substr(0, comma);
    long long id = 0;
    const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), id);
    if (part.empty() || ec != std::errc() || end != part.data() + part.size() || id < 0 || id > 0xFFFFFFFFLL) {
      return std::nullopt;
    }
    ids.push_back(static_cast<int>(id & 0xFFFF));
    if (comma == std::string_view::npos) return ids;
    text.remove_prefix(comma + 1);
  }
}

}  // namespace

void SaveDockLayout(Profile& profile, std::string_view name, const DockLayout& layout) {
  std::string bars;
  for (const int id : layout.barIds) {
    if (!bars.empty()) bars += ',';
    bars += std::to_string(id);
  }
  profile.WriteProfileString(name, kBarsEntry, bars);
  profile.WriteProfileString(name, kStateEntry, layout.state);
}

std::optional<DockLayout> LoadDockLayout(const Profile& profile, std::string_view name) {
  const auto bars = profile.Read(name, kBarsEntry);
  const auto state = profile.Read(name, kStateEntry);
  if (!bars && !state) return std::nullopt;
  const auto ids = ParseBarIds(bars.value_or(std::string()));
  return DockLayout{ids.value_or(std::vector<int>()), state.value_or(std::string()), ids.has_value()};
}

bool IsBarStateValid(const Profile& profile, std::string_view name, const std::function<bool(int id)>& barExists) {
  const auto layout = LoadDockLayout(profile, name);
  if (!layout) return true;
  if (!layout->barsReadable) return false;
  for (const int id : layout->barIds) {
    if (id != 0 && !barExists(id)) return false;
  }
  return true;
}

}  // namespace corvella
