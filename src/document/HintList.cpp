// The input hints for built-in functions: the hint file's entries, their lookup, and the word before the caret that is looked up.
#include "document/HintList.h"

#include <algorithm>

#include "document/EditBuffer.h"
#include "document/SjisChar.h"

namespace corvella {
namespace {

constexpr std::string_view kWordDelimiters = " \t/.,;:+-*%~^&|!?=<>(){}[]";

}  // namespace

HintEntry ParseHintLine(std::string_view line) {
  // "#" is below the trail-byte range, so the first "#" byte is a character.
  const std::size_t sharp = line.find('#');
  if (sharp == std::string_view::npos) return {};
  HintEntry entry;
  entry.key = std::string(line.substr(0, sharp));
  if (sharp + 1 < line.size()) entry.hint = std::string(line.substr(SjisCharEnd(line, sharp + 1)));
  return entry;
}

void HintList::Parse(std::string_view fileBytes) {
  while (!fileBytes.empty()) {
    const std::size_t lf = fileBytes.find('\n');
    const std::string_view line = fileBytes.substr(0, lf);
    m_entries.push_back(ParseHintLine(line));
    fileBytes = lf == std::string_view::npos ? std::string_view{} : fileBytes.substr(lf + 1);
  }
}

std::string HintList::FindHint(std::string_view word) const {
  if (word.empty()) return {};
  for (const HintEntry& e : m_entries) {
    if (e.key == word) return e.hint;
  }
  return {};
}

std::string_view WordBeforeCaret(std::string_view lineText) {
  // A forward scan, so that a trail byte equal to a delimiter is never taken
  // for one.
  std::size_t wordStart = 0;
  for (std::size_t i = 0; i < lineText.size();) {
    const std::size_t next = SjisCharEnd(lineText, i);
    if (next == i + 1 && kWordDelimiters.find(lineText[i]) != std::string_view::npos) wordStart = next;
    i = next;
  }
  return lineText.substr(wordStart);
}

std::string WordBeforeCaret(const EditBuffer& buffer, std::size_t pos) {
  pos = std::min(pos, buffer.GetTextLength());
  const std::size_t lineStart = buffer.LineIndex(buffer.LineFromChar(pos));
  std::size_t from = pos - std::min(pos - lineStart, kHintWindow);
  if (from > lineStart) {
    // A trail byte may look like a delimiter: start at a character boundary.
    const auto at = [&buffer](std::size_t i) { return buffer.ByteAt(i); };
    from = SjisCharStart(at, lineStart, pos, from);
  }
  const std::string text = buffer.GetText(from, pos);
  const std::string_view word = WordBeforeCaret(text);
  if (from > lineStart && word.size() == text.size()) return {};  // the word may start further back
  return std::string(word);
}

bool IsHintLetter(std::string_view ch) {
  if (ch.size() != 1) return false;
  const auto c = static_cast<unsigned char>(ch[0]);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xA6 && c <= 0xDF);
}

}  // namespace corvella
