// The user's named folders (desktop, documents, ...) as the file "user-dirs.dirs" sets them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvella {

// The folder that `text` (the file's content) gives for `name` ("DESKTOP"):
// the last line XDG_<name>_DIR="..." whose value is an absolute path or
// starts with "$HOME" (standing for `home`). None when no line qualifies.
std::optional<std::string> UserDirFromConfig(std::string_view text, std::string_view name, std::string_view home);

}  // namespace corvella
