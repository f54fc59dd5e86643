// Splitting and joining paths as plain strings; no file-system access.
#include "platform/PathParts.h"

namespace corvella {

std::string GetFolderPart(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string GetFileTitlePart(std::string_view path) {
  const auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (!joined.empty() && joined.back() != '/') joined += '/';
  return joined += name;
}

std::string AbbreviatePath(std::string_view path, std::size_t max) {
  if (path.size() <= max) return std::string(path);
  const std::string name = GetFileTitlePart(path);
  // The first component after the root stays, as the drive does in the
  // shortened names of the recent-file list.
  const std::size_t headEnd = path.find('/', path.size() > 1 && path[0] == '/' ? 1 : 0);
  if (headEnd == std::string_view::npos) return name;
  const std::string head = std::string(path.substr(0, headEnd + 1)) + "...";
  std::string tail = "/" + name;
  if (head.size() + tail.size() > max) return name;
  // Add whole components from the end while they fit.
  std::size_t end = path.size() - name.size() - 1;
  while (end > headEnd) {
    const std::size_t start = path.rfind('/', end - 1);
    if (start == std::string_view::npos || start < headEnd) break;
    const std::string longer = std::string(path.substr(start, end - start)) + tail;
    if (head.size() + longer.size() > max) break;
    tail = longer;
    end = start;
  }
  return head + tail;
}

std::string PathWithFolder(std::string_view path, std::string_view folder) {
  if (folder.empty()) return std::string(path);
  const std::string entry = std::string(folder) + ":";
  if (path.find(entry) != std::string_view::npos) return std::string(path);
  return entry + std::string(path);
}

}  // namespace corvella
