// Perl's messages gathered from a run's output as it is read piece by piece, with only the lines that can name a place looked at.
#include "run/PerlMessageCollector.h"

namespace corvella {
namespace {

// Every place Perl names reads "... line N": a line without it names none.
constexpr std::string_view kMark = " line ";

}  // namespace

void PerlMessageCollector::Feed(std::string_view bytes) {
  const std::size_t last = bytes.rfind('\n');
  if (last == std::string_view::npos) {
    m_partial += bytes;
    return;
  }
  std::string_view whole = bytes.substr(0, last + 1);
  if (!m_partial.empty()) {
    const std::size_t lf = whole.find('\n');
    m_partial += whole.substr(0, lf);
    Line(m_partial, m_messages);
    whole.remove_prefix(lf + 1);
  }
  Lines(whole);
  m_partial.assign(bytes.substr(last + 1));
}

std::vector<PerlMessage> PerlMessageCollector::Finish() {
  if (!m_partial.empty()) Line(m_partial, m_messages);
  m_partial.clear();
  return std::move(m_messages);
}

std::vector<PerlMessage> PerlMessageCollector::Messages() const {
  std::vector<PerlMessage> messages = m_messages;
  if (!m_partial.empty()) Line(m_partial, messages);
  return messages;
}

// `text` ends with a line end. Only the lines holding the mark are taken
// apart, which leaves a long output of anything else to one fast search.
void PerlMessageCollector::Lines(std::string_view text) {
  for (std::size_t hit = text.find(kMark); hit != std::string_view::npos;) {
    const std::size_t lf = text.rfind('\n', hit);
    const std::size_t start = lf == std::string_view::npos ? 0 : lf + 1;
    const std::size_t end = text.find('\n', hit);
    Line(text.substr(start, end - start), m_messages);
    hit = text.find(kMark, end + 1);
  }
}

void PerlMessageCollector::Line(std::string_view line, std::vector<PerlMessage>& messages) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (auto at = ParsePerlErrorLine(line)) {
    messages.push_back(PerlMessage{std::move(*at), ClassifyPerlMessage(line), std::string(line)});
  }
}

}  // namespace corvella
