// The saved docking layout of the main window: which bars it names and the layout itself, kept in one profile section.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

class Profile;

struct DockLayout {
  std::vector<int> barIds;  // the control ids of the bars the layout places
  std::string state;        // the window's own encoding of the layout, as text
  bool barsReadable = true; // false when the stored list of bars is damaged
};

void SaveDockLayout(Profile& profile, std::string_view name, const DockLayout& layout);
// Nothing when no layout was saved under `name`.
std::optional<DockLayout> LoadDockLayout(const Profile& profile, std::string_view name);

// False when the saved layout names a bar that `barExists` does not know (ids
// above 65535 count by their low 16 bits) or its list of bars cannot be read.
// No saved layout is valid.
bool IsBarStateValid(const Profile& profile, std::string_view name, const std::function<bool(int id)>& barExists);

}  // namespace corvella
