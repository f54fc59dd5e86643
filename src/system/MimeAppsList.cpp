// The user's default applications by MIME type ("mimeapps.list") as text: our lines change, every other byte of the file stays as it was.
#include "system/MimeAppsList.h"

#include <algorithm>
#include <optional>

namespace corvella {
namespace {

constexpr std::string_view kDefaultGroup = "Default Applications";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

// The group a header line opens; none for any other line.
std::optional<std::string_view> GroupName(std::string_view content) {
  const std::string_view s = Trim(content);
  if (s.size() < 2 || s.front() != '[' || s.back() != ']') return std::nullopt;
  return s.substr(1, s.size() - 2);
}

struct KeyValue {
  std::string_view key, value;
};

std::optional<KeyValue> SplitEntry(std::string_view content) {
  const std::string_view s = Trim(content);
  if (s.empty() || s.front() == '#') return std::nullopt;
  const auto eq = s.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyValue{Trim(s.substr(0, eq)), Trim(s.substr(eq + 1))};
}

std::vector<std::string> SplitIds(std::string_view value) {
  std::vector<std::string> ids;
  while (!value.empty()) {
    const auto semi = value.find(';');
    const std::string_view id = Trim(value.substr(0, semi));
    if (!id.empty()) ids.emplace_back(id);
    if (semi == std::string_view::npos) break;
    value.remove_prefix(semi + 1);
  }
  return ids;
}

std::string EntryLine(std::string_view type, const std::vector<std::string>& ids) {
  std::string line(type);
  line += '=';
  for (const auto& id : ids) line += id + ";";
  return line;
}

}  // namespace

MimeAppsList::MimeAppsList(std::string_view text) {
  while (!text.empty()) {
    const auto nl = text.find('\n');
    Line line;
    if (nl == std::string_view::npos) {
      line.content = text;
      text = {};
    } else {
      line.content = text.substr(0, nl);
      line.end = "\n";
      text.remove_prefix(nl + 1);
      if (!line.content.empty() && line.content.back() == '\r') {
        line.content.pop_back();
        line.end = "\r\n";
      }
    }
    m_lines.push_back(std::move(line));
  }
}

std::vector<std::size_t> MimeAppsList::LinesOf(std::string_view type) const {
  std::vector<std::size_t> found;
  bool inDefaults = false;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (const auto group = GroupName(m_lines[i].content)) {
      inDefaults = *group == kDefaultGroup;
    } else if (inDefaults) {
      const auto entry = SplitEntry(m_lines[i].content);
      if (entry && entry->key == type) found.push_back(i);
    }
  }
  return found;
}

// New lines end like the file's first line, so that a CR LF file stays one.
std::string MimeAppsList::NewLineEnd() const {
  return !m_lines.empty() && m_lines.front().end == "\r\n" ? "\r\n" : "\n";
}

std::string MimeAppsList::Default(std::string_view type) const {
  const auto lines = LinesOf(type);
  if (lines.empty()) return {};
  const auto ids = SplitIds(SplitEntry(m_lines[lines.front()].content)->value);
  return ids.empty() ? std::string() : ids.front();
}

void MimeAppsList::SetDefault(std::string_view type, std::string_view id) {
  const auto lines = LinesOf(type);
  std::vector<std::string> ids{std::string(id)};
  if (!lines.empty()) {
    for (auto& old : SplitIds(SplitEntry(m_lines[lines.front()].content)->value)) {
      if (old != id) ids.push_back(std::move(old));
    }
    m_lines[lines.front()].content = EntryLine(type, ids);
    for (auto it = lines.rbegin(); it + 1 != lines.rend(); ++it) m_lines.erase(m_lines.begin() + *it);
    return;
  }

  // A new line goes after the last entry of the first group (or its header),
  // before the blank lines and comments that lead to the next group.
  std::optional<std::size_t> after;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (const auto group = GroupName(m_lines[i].content)) {
      if (after) break;
      if (*group == kDefaultGroup) after = i;
    } else if (after && SplitEntry(m_lines[i].content)) {
      after = i;
    }
  }
  const std::string end = NewLineEnd();
  Line line{EntryLine(type, ids), end};
  if (after) {
    // Only a last line without its line end needs one now.
    if (m_lines[*after].end.empty()) m_lines[*after].end = end;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*after) + 1, std::move(line));
    return;
  }
  if (!m_lines.empty()) {
    if (m_lines.back().end.empty()) m_lines.back().end = end;
    m_lines.push_back({"", end});
  }
  m_lines.push_back({"[" + std::string(kDefaultGroup) + "]", end});
  m_lines.push_back(std::move(line));
}

void MimeAppsList::RemoveDefault(std::string_view type, std::string_view id) {
  const auto lines = LinesOf(type);
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    auto ids = SplitIds(SplitEntry(m_lines[*it].content)->value);
    const auto kept = std::remove(ids.begin(), ids.end(), id);
    if (kept == ids.end()) continue;
    ids.erase(kept, ids.end());
    if (ids.empty()) {
      m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*it));
    } else {
      m_lines[*it].content = EntryLine(type, ids);
    }
  }
}

std::string MimeAppsList::Text() const {
  std::string text;
  for (const auto& line : m_lines) text += line.content + line.end;
  return text;
}

}  // namespace corvella
