// Heredocs as the line states see them.
#include "document/HereDocTable.h"

#include "document/PerlByteClasses.h"

namespace corvella {

std::optional<HereDoc> ReadHereDocIntroducer(std::string_view rest) {
  HereDoc doc;
  std::size_t i = 0;
  if (i < rest.size() && rest[i] == '~') {
    doc.indented = true;
    ++i;
  }
  const std::size_t word = i;
  while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
  if (i == rest.size()) return std::nullopt;
  const char c = rest[i];
  if (c == '"' || c == '\'') {
    const std::size_t close = rest.find(c, i + 1);
    if (close == std::string_view::npos) return std::nullopt;
    doc.terminator = std::string(rest.substr(i + 1, close - i - 1));
    return doc;
  }
  // Blanks before a bare word make no heredoc ("$x << EOF" is read as a shift).
  if (i != word) return std::nullopt;
  if (c == '\\') ++i;
  const auto isStart = [](unsigned char b) { return perlbytes::IsLetter(b) || b == '_'; };
  if (i == rest.size() || !isStart(static_cast<unsigned char>(rest[i]))) return std::nullopt;
  const std::size_t start = i;
  while (i < rest.size() && (perlbytes::IsNameByte(static_cast<unsigned char>(rest[i])) || rest[i] == '_')) ++i;
  doc.terminator = std::string(rest.substr(start, i - start));
  return doc;
}

bool EndsHereDoc(const HereDoc& doc, std::string_view line) {
  if (doc.indented) {
    const std::size_t text = line.find_first_not_of(" \t");
    line = text == std::string_view::npos ? std::string_view() : line.substr(text);
  }
  return line == doc.terminator;
}

std::uint32_t HereDocTable::Number(const std::vector<HereDoc>& pending) {
  if (pending.empty()) return 0;
  if (m_lists.size() > kMaxNumber) {
    const auto known = m_numbers.find(pending);
    return known == m_numbers.end() ? 0 : known->second;
  }
  const auto [it, added] = m_numbers.try_emplace(pending, static_cast<std::uint32_t>(m_lists.size()));
  if (added) m_lists.push_back(pending);
  return it->second;
}

const std::vector<HereDoc>& HereDocTable::Pending(std::uint32_t number) const {
  return number < m_lists.size() ? m_lists[number] : m_lists.front();
}

std::uint32_t HereDocTable::AfterFirst(std::uint32_t number) {
  const std::vector<HereDoc>& pending = Pending(number);
  if (pending.size() <= 1) return 0;
  return Number(std::vector<HereDoc>(pending.begin() + 1, pending.end()));
}

}  // namespace corvella
