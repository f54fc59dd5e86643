// The package and sub declarations of a text, kept up to date as the text changes.
#include "document/SubIndex.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "document/PerlByteClasses.h"

namespace corvella {
namespace {

// The name after a declaration word; `rest` follows the word. Empty when
// none follows ("sub {", "sub => 1", "$h{sub}").
std::string_view NameAfter(std::string_view rest) {
  std::size_t i = rest.find_first_not_of(" \t");
  if (i == std::string_view::npos) return {};
  const std::size_t start = i;
  const auto at = [rest](std::size_t n) { return static_cast<unsigned char>(rest[n]); };
  if (!perlbytes::IsLetter(at(i)) && at(i) != '_') return {};
  while (i < rest.size() && (perlbytes::IsWordByte(at(i)) || at(i) == ':')) ++i;
  return rest.substr(start, i - start);
}

bool SameNames(std::vector<SubEntry>::const_iterator first, std::vector<SubEntry>::const_iterator last,
               const std::vector<SubEntry>& found) {
  return std::equal(first, last, found.begin(), found.end(),
                    [](const SubEntry& a, const SubEntry& b) { return a.kind == b.kind && a.name == b.name; });
}

}  // namespace

const std::vector<SubEntry>& SubIndex::Entries() {
  if (!m_built) Build();
  return m_entries;
}

std::size_t SubIndex::EntryAt(std::size_t line) {
  const std::vector<SubEntry>& entries = Entries();
  const auto after =
      std::upper_bound(entries.begin(), entries.end(), line, [](std::size_t l, const SubEntry& e) { return l < e.line; });
  return after == entries.begin() ? npos : static_cast<std::size_t>(after - entries.begin()) - 1;
}

void SubIndex::Build() {
  while (!BuildSome(m_buffer.GetLineCount())) {
  }
}

bool SubIndex::BuildSome(std::size_t lines) {
  if (m_built) return true;
  const std::size_t count = m_buffer.GetLineCount();
  const std::size_t end = count - m_progress > lines ? m_progress + lines : count;
  for (; m_progress < end; ++m_progress) ReadLine(m_progress, m_entries);
  if (m_progress < count) return false;
  Finish();
  return true;
}

void SubIndex::Finish() {
  // Every state right from here on, so that an edit learns from the store
  // where its effect ends.
  m_states.At(m_buffer.GetLineCount());
  m_built = true;
  ++m_revision;
}

void SubIndex::ReadLine(std::size_t line, std::vector<SubEntry>& out) {
  ++m_read;
  const LineState state = m_states.At(line);
  if (state.block != LineBlock::kCode) return;
  // Declarations count as far as a long line is coloured: a "sub" shown plain
  // is listed in none.
  const std::string text = m_buffer.GetLine(line, PerlLexer::kLexedPrefix);
  if (text.find("sub") == std::string::npos && text.find("package") == std::string::npos) return;
  m_lexer.CodeWords(state, text, m_words);
  for (const WordSpan& w : m_words) {
    const std::string_view word = std::string_view(text).substr(w.start, w.length);
    if (word != "sub" && word != "package") continue;
    const std::string_view name = NameAfter(std::string_view(text).substr(w.start + w.length));
    if (name.empty()) continue;
    out.push_back({word == "sub" ? SubEntry::Kind::kSub : SubEntry::Kind::kPackage, std::string(name), line});
  }
}

void SubIndex::TextChanged(const EditBuffer::TextChange& c) {
  if (c.LeavesLineHead(PerlLexer::kLexedPrefix)) return;  // past what ReadLine reads
  if (c.wholeText || (!m_built && c.line < m_progress)) {
    // Lines read so far may read differently now: read again from the edit.
    const std::size_t from = c.wholeText ? 0 : c.line;
    const auto byLine = [](const SubEntry& e, std::size_t l) { return e.line < l; };
    m_entries.erase(std::lower_bound(m_entries.begin(), m_entries.end(), from, byLine), m_entries.end());
    m_progress = from;
    m_built = false;
    ++m_revision;
    return;
  }
  if (!m_built) return;
  const std::size_t first = c.line;
  const std::size_t oldEnd = first + c.linesRemoved + 1;  // old lines [first, oldEnd) were edited
  const std::size_t newEnd = first + c.linesInserted + 1;
  const auto byLine = [](const SubEntry& e, std::size_t l) { return e.line < l; };
  const auto lo = std::lower_bound(m_entries.begin(), m_entries.end(), first, byLine);
  const auto hi = std::lower_bound(lo, m_entries.end(), oldEnd, byLine);
  if (newEnd != oldEnd) {
    for (auto it = hi; it != m_entries.end(); ++it) it->line = it->line - oldEnd + newEnd;
  }
  const auto from = static_cast<std::size_t>(lo - m_entries.begin());
  const auto edited = static_cast<std::size_t>(hi - m_entries.begin());

  std::vector<SubEntry> found;
  for (std::size_t k = first; k < newEnd; ++k) ReadLine(k, found);
  // A line whose start state changed reads differently: go on until the
  // store meets a state it had before.
  std::size_t end = newEnd;
  const std::size_t lines = m_buffer.GetLineCount();
  while (end < lines) {
    m_states.At(end);
    if (m_states.ValidLines() > end + 1) break;
    ReadLine(end, found);
    ++end;
  }
  const auto last = std::lower_bound(m_entries.begin() + static_cast<std::ptrdiff_t>(edited), m_entries.end(), end, byLine);
  ReplaceRange(from, static_cast<std::size_t>(last - m_entries.begin()), found);
}

void SubIndex::ReplaceRange(std::size_t from, std::size_t to, std::vector<SubEntry>& found) {
  const auto first = m_entries.begin() + static_cast<std::ptrdiff_t>(from);
  const auto last = m_entries.begin() + static_cast<std::ptrdiff_t>(to);
  if (!SameNames(first, last, found)) ++m_revision;
  if (to - from == found.size()) {
    std::move(found.begin(), found.end(), first);
    return;
  }
  const auto at = m_entries.erase(first, last);
  m_entries.insert(at, std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
}

}  // namespace corvella
