// The environment every child process receives: a copy of the editor's own, changed only here and guarded for use from worker threads.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

class ChildEnvironment {
 public:
  // The one copy of the process, taken from the environment at first use.
  static ChildEnvironment& Shared();

  // A copy starting from `entries` ("NAME=value"), for tests and for one run.
  explicit ChildEnvironment(std::vector<std::string> entries);

  std::optional<std::string> Get(std::string_view name) const;
  // Sets or, with no value, removes a variable.
  void Set(std::string_view name, const std::optional<std::string>& value);
  // Puts `folder` before PATH unless "folder:" is already in it; an empty folder changes nothing.
  void PrependToPath(std::string_view folder);
  // "NAME=value" entries for a child.
  std::vector<std::string> Entries() const;

 private:
  mutable std::mutex m_mutex;
  std::vector<std::string> m_entries;
};

}  // namespace corvella
