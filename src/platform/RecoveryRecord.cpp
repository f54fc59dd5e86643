// The recovery copy of a modified document.
#include "platform/RecoveryRecord.h"

#include <charconv>

namespace corvella {
namespace {

constexpr std::string_view kMagic = "CORVELLA-RECOVERY 1\n";

// Names may hold any byte, line ends included: they are stored in hex.
std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

std::optional<std::string> Unhex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
    if (error != std::errc() || end != hex.data() + i + 2) return std::nullopt;
    out += static_cast<char>(value);
  }
  return out;
}

template <class Number>
std::optional<Number> ToNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::string FormatRecoveryHeader(const RecoveryRecord& record, std::size_t textLength) {
  std::string header(kMagic);
  header += "path " + Hex(record.path) + "\n";
  header += "title " + Hex(record.title) + "\n";
  header += "kanji " + std::to_string(record.kanjiCode) + "\n";
  header += "crlf " + std::to_string(record.crlf) + "\n";
  header += "readonly " + std::string(record.readOnly ? "1" : "0") + "\n";
  header += "text " + std::to_string(textLength) + "\n";
  return header;
}

std::optional<RecoveryRecord> ParseRecoveryRecord(std::string_view bytes) {
  if (bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
  bytes.remove_prefix(kMagic.size());
  RecoveryRecord record;
  // The fields in their fixed order, each "name value\n".
  const auto field = [&bytes](std::string_view name) -> std::optional<std::string_view> {
    const std::size_t lf = bytes.find('\n');
    if (lf == std::string_view::npos || bytes.substr(0, name.size() + 1) != std::string(name) + " ") {
      return std::nullopt;
    }
    const std::string_view value = bytes.substr(name.size() + 1, lf - name.size() - 1);
    bytes.remove_prefix(lf + 1);
    return value;
  };
  const auto path = field("path");
  const auto title = field("title");
  const auto kanji = field("kanji");
  const auto crlf = field("crlf");
  const auto readOnly = field("readonly");
  const auto length = field("text");
  if (!path || !title || !kanji || !crlf || !readOnly || !length) return std::nullopt;
  const auto pathBytes = Unhex(*path);
  const auto titleBytes = Unhex(*title);
  const auto kanjiCode = ToNumber<int>(*kanji);
  const auto crlfCode = ToNumber<int>(*crlf);
  const auto textLength = ToNumber<std::size_t>(*length);
  if (!pathBytes || !titleBytes || !kanjiCode || !crlfCode || !textLength || (*readOnly != "0" && *readOnly != "1")) {
    return std::nullopt;
  }
  if (*kanjiCode < 0 || *kanjiCode > 3 || *crlfCode < 0 || *crlfCode > 2 || bytes.size() != *textLength) {
    return std::nullopt;
  }
  record.path = *pathBytes;
  record.title = *titleBytes;
  record.kanjiCode = *kanjiCode;
  record.crlf = *crlfCode;
  record.readOnly = *readOnly == "1";
  record.text = std::string(bytes);
  return record;
}

}  // namespace corvella
