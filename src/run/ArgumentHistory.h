// The last five different argument strings of runs with arguments, most recent first, kept in "Parameter List".
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

class Profile;

class ArgumentHistory {
 public:
  static constexpr std::size_t kSize = 5;

  // Entry i is "param<i+1>" of section "Parameter List", or empty.
  void Load(const Profile& profile);
  // The section is rewritten with the non-empty entries only.
  void Save(Profile& profile) const;

  // Moves `args` to the front: an equal entry among the first four is taken
  // out, otherwise the oldest drops off. An empty text changes nothing.
  void Add(std::string_view args);

  const std::array<std::string, kSize>& Entries() const { return m_entries; }
  // The entries as the list shows them: up to the first empty one.
  std::vector<std::string> Shown() const;

 private:
  std::array<std::string, kSize> m_entries;
};

}  // namespace corvella
