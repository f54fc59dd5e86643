// The three remembered sizes of a sizing bar, their minimums and their profile form.
#include "controls/SizingBarSizes.h"

#include <algorithm>

#include "base/Profile.h"

namespace corvella {
namespace {

BarSize AtLeast(BarSize size, BarSize minimum) {
  return {std::max(size.cx, minimum.cx), std::max(size.cy, minimum.cy)};
}

constexpr const char* kValueNames[6] = {"sizeHorzCX", "sizeHorzCY", "sizeVertCX",
                                         "sizeVertCY", "sizeFloatCX", "sizeFloatCY"};

}  // namespace

BarSize SizingBarSizes::MinimumFor(int dockBarId) {
  if (IsHorzDockBar(dockBarId)) return kMinHorz;
  if (IsVertDockBar(dockBarId)) return kMinVert;
  return kMinFloat;
}

BarSize SizingBarSizes::SizeFor(int dockBarId) const {
  if (IsHorzDockBar(dockBarId)) return AtLeast(sizeHorz, kMinHorz);
  if (IsVertDockBar(dockBarId)) return AtLeast(sizeVert, kMinVert);
  return AtLeast(sizeFloat, kMinFloat);
}

void SizingBarSizes::Remember(int dockBarId, BarSize size) {
  if (IsHorzDockBar(dockBarId)) sizeHorz = size;
  else if (IsVertDockBar(dockBarId)) sizeVert = size;
  else sizeFloat = size;
}

std::string SizingBarSection(std::string_view profileName, int barId) {
  std::string section(profileName);
  section += "-SCBar-";
  section += std::to_string(barId);
  if (section.size() > 255) section.resize(255);
  return section;
}

void LoadSizes(const Profile& profile, std::string_view profileName, int barId, SizingBarSizes& sizes) {
  const std::string section = SizingBarSection(profileName, barId);
  int* values[6] = {&sizes.sizeHorz.cx, &sizes.sizeHorz.cy, &sizes.sizeVert.cx,
                    &sizes.sizeVert.cy, &sizes.sizeFloat.cx, &sizes.sizeFloat.cy};
  const int minimums[6] = {SizingBarSizes::kMinHorz.cx,  SizingBarSizes::kMinHorz.cy,
                           SizingBarSizes::kMinVert.cx,  SizingBarSizes::kMinVert.cy,
                           SizingBarSizes::kMinFloat.cx, SizingBarSizes::kMinFloat.cy};
  for (int i = 0; i < 6; ++i) {
    *values[i] = std::max(profile.GetProfileInt(section, kValueNames[i], *values[i]), minimums[i]);
  }
}

void SaveSizes(Profile& profile, std::string_view profileName, int barId, const SizingBarSizes& sizes) {
  const std::string section = SizingBarSection(profileName, barId);
  const int values[6] = {sizes.sizeHorz.cx, sizes.sizeHorz.cy, sizes.sizeVert.cx,
                         sizes.sizeVert.cy, sizes.sizeFloat.cx, sizes.sizeFloat.cy};
  for (int i = 0; i < 6; ++i) profile.WriteProfileInt(section, kValueNames[i], values[i]);
}

}  // namespace corvella
