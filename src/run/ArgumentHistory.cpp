// The last five different argument strings of runs with arguments, most recent first, kept in "Parameter List".
#include "run/ArgumentHistory.h"

#include "base/Profile.h"

namespace corvella {
namespace {

constexpr std::string_view kSection = "Parameter List";

std::string EntryName(std::size_t i) { return "param" + std::to_string(i + 1); }

}  // namespace

void ArgumentHistory::Load(const Profile& profile) {
  for (std::size_t i = 0; i < kSize; ++i) m_entries[i] = profile.GetProfileString(kSection, EntryName(i));
}

void ArgumentHistory::Save(Profile& profile) const {
  profile.DeleteSection(kSection);
  for (std::size_t i = 0; i < kSize; ++i) {
    if (!m_entries[i].empty()) profile.WriteProfileString(kSection, EntryName(i), m_entries[i]);
  }
}

void ArgumentHistory::Add(std::string_view args) {
  if (args.empty()) return;
  std::size_t found = kSize - 1;
  for (std::size_t i = 0; i + 1 < kSize; ++i) {
    if (m_entries[i] == args) {
      found = i;
      break;
    }
  }
  for (std::size_t i = found; i > 0; --i) m_entries[i] = std::move(m_entries[i - 1]);
  m_entries[0] = std::string(args);
}

std::vector<std::string> ArgumentHistory::Shown() const {
  std::vector<std::string> shown;
  for (const std::string& entry : m_entries) {
    if (entry.empty()) break;
    shown.push_back(entry);
  }
  return shown;
}

}  // namespace corvella
