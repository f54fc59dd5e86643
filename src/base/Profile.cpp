// The per-user settings store: sections of named integer and string values.
#include "base/Profile.h"

#include <charconv>

namespace corvella {

std::optional<int> ParseProfileInt(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

int Profile::GetProfileInt(std::string_view section, std::string_view entry, int fallback) const {
  const auto stored = Read(section, entry);
  if (!stored) return fallback;
  return ParseProfileInt(*stored).value_or(fallback);
}

std::string Profile::GetProfileString(std::string_view section, std::string_view entry,
                                      std::string_view fallback) const {
  auto stored = Read(section, entry);
  return stored ? std::move(*stored) : std::string(fallback);
}

void Profile::WriteProfileInt(std::string_view section, std::string_view entry, int value) {
  Write(section, entry, std::to_string(value));
}

void Profile::WriteProfileString(std::string_view section, std::string_view entry, std::string_view value) {
  Write(section, entry, value);
}

std::optional<std::string> MemoryProfile::Read(std::string_view section, std::string_view entry) const {
  const auto s = sections_.find(section);
  if (s == sections_.end()) return std::nullopt;
  const auto e = s->second.find(entry);
  if (e == s->second.end()) return std::nullopt;
  return e->second;
}

void MemoryProfile::Write(std::string_view section, std::string_view entry, std::string_view value) {
  auto s = sections_.find(section);
  if (s == sections_.end()) s = sections_.emplace(std::string(section), decltype(s->second){}).first;
  s->second.insert_or_assign(std::string(entry), std::string(value));
}

void MemoryProfile::DeleteSection(std::string_view section) {
  const auto s = sections_.find(section);
  if (s != sections_.end()) sections_.erase(s);
}

}  // namespace corvella
