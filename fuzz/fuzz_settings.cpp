// Fuzzes the readers of stored Settings values: font, colour lists, window placement, integers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/Profile.h"
#include "base/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto font = corvella::ParseFont(text, text)) {
    if (font->faceName.size() > corvella::kFaceNameMax) std::abort();
    // What was read writes back in a form that reads to the same numbers.
    const auto again = corvella::ParseFont(corvella::FormatFont(*font), font->faceName);
    if (!again || !(*again == *font)) std::abort();
  }
  corvella::ColorRef colors[5];
  if (corvella::ScanColors(text, colors, 5) > 5) std::abort();
  if (const auto pos = corvella::ParseWindowPos(text)) {
    if (corvella::ParseWindowPos(corvella::FormatWindowPos(*pos)) != pos) std::abort();
  }
  corvella::MemoryProfile profile;
  profile.WriteProfileString(corvella::kSettingsSection, "TabWidth", text);
  profile.WriteProfileString(corvella::kSettingsSection, "KanjiCode", text);
  corvella::Settings s;
  corvella::LoadSettings(profile, "/p", {}, s);
  if (s.TabWidth < 1 || s.TabWidth > 32 || s.KanjiCode < 0 || s.KanjiCode > 3) std::abort();
  (void)corvella::ParseProfileInt(text);
  return 0;
}
