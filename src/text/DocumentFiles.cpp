// File names and file-type filters of the document dialogs, decided without touching the file system.
#include "text/DocumentFiles.h"

namespace corvella {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The caption without a trailing "(...)" group and the blanks before it.
std::string_view BareCaption(std::string_view caption) {
  caption = Trim(caption);
  if (caption.empty() || caption.back() != ')') return caption;
  const auto open = caption.rfind('(');
  if (open == std::string_view::npos) return caption;
  return Trim(caption.substr(0, open));
}

}  // namespace

std::string ProposedSaveAsName(std::string_view title, std::string_view defaultExtension) {
  const auto cut = title.find_first_of(" #%;/\\");
  std::string name(title.substr(0, cut));
  return name += defaultExtension;
}

std::vector<std::string> FileDialogNameFilters(std::string_view filter) {
  std::vector<std::string> filters;
  while (!filter.empty()) {
    const auto bar = filter.find('|');
    const std::string_view caption = filter.substr(0, bar);
    if (caption.empty() || bar == std::string_view::npos) break;  // "||" ends the list
    filter.remove_prefix(bar + 1);
    const auto end = filter.find('|');
    std::string_view patterns = filter.substr(0, end);
    filter.remove_prefix(end == std::string_view::npos ? filter.size() : end + 1);

    std::string joined;
    while (!patterns.empty()) {
      const auto semi = patterns.find(';');
      std::string_view one = Trim(patterns.substr(0, semi));
      patterns.remove_prefix(semi == std::string_view::npos ? patterns.size() : semi + 1);
      if (one.empty()) continue;
      if (one == "*.*") one = "*";
      if (!joined.empty()) joined += ' ';
      joined += one;
    }
    std::string entry(BareCaption(caption));
    entry += " (";
    entry += joined.empty() ? std::string("*") : joined;
    entry += ')';
    filters.push_back(std::move(entry));
  }
  return filters;
}

}  // namespace corvella
