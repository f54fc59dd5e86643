// The record of a run in progress.
#include "platform/RunRecord.h"

#include "platform/ContentHash.h"
#include "platform/RecordFields.h"

namespace corvella {
namespace {

constexpr std::string_view kMagic = "CORVELLA-RUN 2\n";

std::string SizeAndHash(std::uint64_t size, std::uint64_t hash) { return std::to_string(size) + " " + HashToHex(hash); }

bool ReadSizeAndHash(std::optional<std::string_view> field, std::uint64_t& size, std::uint64_t& hash) {
  if (!field) return false;
  const std::size_t blank = field->find(' ');
  if (blank == std::string_view::npos) return false;
  const auto number = ToNumber<std::uint64_t>(field->substr(0, blank));
  if (!number || !HashFromHex(field->substr(blank + 1), hash)) return false;
  size = *number;
  return true;
}

}  // namespace

std::string FormatRunRecord(const RunRecord& record) {
  std::string text(kMagic);
  text += "script " + Hex(record.script) + "\n";
  text += "bytes " + Hex(record.bytesFile) + "\n";
  text += "saved " + SizeAndHash(record.savedSize, record.savedHash) + "\n";
  text += "copy " + SizeAndHash(record.copySize, record.copyHash) + "\n";
  text += "mode " + std::to_string(record.mode & 07777) + "\n";
  text += "check " + HashToHex(HashOf(text)) + "\n";
  return text;
}

std::optional<RunRecord> ParseRunRecord(std::string_view bytes) {
  if (!bytes.starts_with(kMagic)) return std::nullopt;
  RecordFieldReader fields(bytes.substr(kMagic.size()));
  RunRecord record;
  const auto script = fields.Field("script");
  const auto bytesFile = fields.Field("bytes");
  if (!ReadSizeAndHash(fields.Field("saved"), record.savedSize, record.savedHash) ||
      !ReadSizeAndHash(fields.Field("copy"), record.copySize, record.copyHash)) {
    return std::nullopt;
  }
  const auto mode = fields.Field("mode");
  const std::size_t checked = bytes.size() - fields.Rest().size();
  const auto check = fields.Field("check");
  std::uint64_t checkHash = 0;
  if (!script || !bytesFile || !mode || !check || !fields.Rest().empty() || !HashFromHex(*check, checkHash) ||
      checkHash != HashOf(bytes.substr(0, checked))) {
    return std::nullopt;
  }
  const auto scriptPath = Unhex(*script);
  const auto bytesName = Unhex(*bytesFile);
  const auto modeBits = ToNumber<unsigned>(*mode);
  if (!scriptPath || !scriptPath->starts_with('/') || scriptPath->find('\0') != std::string::npos || !bytesName ||
      bytesName->empty() || *bytesName == "." || *bytesName == ".." ||
      bytesName->find_first_of(std::string_view("/\0", 2)) != std::string::npos || !modeBits || *modeBits > 07777) {
    return std::nullopt;
  }
  record.script = *scriptPath;
  record.bytesFile = *bytesName;
  record.mode = *modeBits;
  return record;
}

}  // namespace corvella
