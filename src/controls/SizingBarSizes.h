// The three remembered sizes of a sizing bar (docked across, docked upright, floating), their minimums and their profile form.
#pragma once

#include <string>
#include <string_view>

namespace corvella {

class Profile;

// Identifiers of the dock bars that can hold a bar.
inline constexpr int kDockBarTop = 59419;
inline constexpr int kDockBarLeft = 59420;
inline constexpr int kDockBarRight = 59421;
inline constexpr int kDockBarBottom = 59422;
inline constexpr int kDockBarFloat = 59423;

inline bool IsHorzDockBar(int dockBarId) { return dockBarId == kDockBarTop || dockBarId == kDockBarBottom; }
inline bool IsVertDockBar(int dockBarId) { return dockBarId == kDockBarLeft || dockBarId == kDockBarRight; }

struct BarSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const BarSize&, const BarSize&) = default;
};

struct SizingBarSizes {
  static constexpr BarSize kMinHorz{33, 32};
  static constexpr BarSize kMinVert{33, 32};
  static constexpr BarSize kMinFloat{37, 32};

  BarSize sizeHorz{200, 200};
  BarSize sizeVert{200, 200};
  BarSize sizeFloat{200, 200};

  // The size kept for the place `dockBarId` (any other id counts as floating),
  // raised to that place's minimum.
  BarSize SizeFor(int dockBarId) const;
  static BarSize MinimumFor(int dockBarId);
  // Remembers `size` as the size of that place.
  void Remember(int dockBarId, BarSize size);
};

// "%s-SCBar-%d", cut to 255 bytes.
std::string SizingBarSection(std::string_view profileName, int barId);

// Each of the six values read with the current one as default and raised to its minimum.
void LoadSizes(const Profile& profile, std::string_view profileName, int barId, SizingBarSizes& sizes);
void SaveSizes(Profile& profile, std::string_view profileName, int barId, const SizingBarSizes& sizes);

}  // namespace corvella
