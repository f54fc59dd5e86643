// Fuzzes the readers of the program's own state files: recovery copies and run records, read and written back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/RecoveryRecord.h"
#include "platform/RunRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const auto copy = corvella::ParseRecoveryRecord(bytes)) {
    if (copy->kanjiCode < 0 || copy->kanjiCode > 3 || copy->crlf < 0 || copy->crlf > 2) std::abort();
    const auto again =
        corvella::ParseRecoveryRecord(corvella::FormatRecoveryHeader(*copy, copy->text.size()) + copy->text);
    if (!again || again->path != copy->path || again->title != copy->title || again->text != copy->text ||
        again->kanjiCode != copy->kanjiCode || again->crlf != copy->crlf || again->readOnly != copy->readOnly) {
      std::abort();
    }
  }
  if (const auto run = corvella::ParseRunRecord(bytes)) {
    // Never a path outside the record's folder for the bytes, never a relative script.
    if (run->bytesFile.find('/') != std::string::npos || run->script.empty() || run->script[0] != '/') std::abort();
    const std::string text = corvella::FormatRunRecord(*run);
    const auto again = corvella::ParseRunRecord(text);
    if (!again || corvella::FormatRunRecord(*again) != text) std::abort();
  }
  return 0;
}
