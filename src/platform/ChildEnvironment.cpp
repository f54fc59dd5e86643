// The environment every child process receives: a copy of the editor's own, changed only here and guarded for use from worker threads.
#include "platform/ChildEnvironment.h"

#include "platform/PathParts.h"

extern char** environ;

namespace corvella {
namespace {

bool HasName(const std::string& entry, std::string_view name) {
  return entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 && entry[name.size()] == '=';
}

}  // namespace

ChildEnvironment& ChildEnvironment::Shared() {
  static ChildEnvironment shared([] {
    std::vector<std::string> entries;
    for (char** e = environ; e && *e; ++e) entries.emplace_back(*e);
    return entries;
  }());
  return shared;
}

ChildEnvironment::ChildEnvironment(std::vector<std::string> entries) : m_entries(std::move(entries)) {}

std::optional<std::string> ChildEnvironment::Get(std::string_view name) const {
  std::lock_guard lock(m_mutex);
  for (const std::string& entry : m_entries) {
    if (HasName(entry, name)) return entry.substr(name.size() + 1);
  }
  return std::nullopt;
}

void ChildEnvironment::Set(std::string_view name, const std::optional<std::string>& value) {
  std::lock_guard lock(m_mutex);
  std::erase_if(m_entries, [name](const std::string& entry) { return HasName(entry, name); });
  if (value) m_entries.push_back(std::string(name) + "=" + *value);
}

void ChildEnvironment::PrependToPath(std::string_view folder) {
  if (folder.empty()) return;
  const std::string path = PathWithFolder(Get("PATH").value_or(std::string()), folder);
  Set("PATH", path);
}

std::vector<std::string> ChildEnvironment::Entries() const {
  std::lock_guard lock(m_mutex);
  return m_entries;
}

}  // namespace corvella
