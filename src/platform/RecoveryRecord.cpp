// The recovery copy of a modified document.
#include "platform/RecoveryRecord.h"

#include "platform/RecordFields.h"

namespace corvella {
namespace {

constexpr std::string_view kMagic = "CORVELLA-RECOVERY 1\n";

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
  RecordFieldReader fields(bytes);
  const auto field = [&fields](std::string_view name) { return fields.Field(name); };
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
  if (*kanjiCode < 0 || *kanjiCode > 3 || *crlfCode < 0 || *crlfCode > 2 || fields.Rest().size() != *textLength) {
    return std::nullopt;
  }
  record.path = *pathBytes;
  record.title = *titleBytes;
  record.kanjiCode = *kanjiCode;
  record.crlf = *crlfCode;
  record.readOnly = *readOnly == "1";
  record.text = std::string(fields.Rest());
  return record;
}

}  // namespace corvella
