// The record of a run in progress: which script the run copy stands in for, where the user's own bytes wait, and how to tell both apart.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvella {

struct RunRecord {
  std::string script;     // the script's absolute path (file-system bytes)
  std::string bytesFile;  // the file beside the record that holds the user's bytes
  std::uint64_t savedSize = 0;
  std::uint64_t savedHash = 0;  // of the user's bytes
  std::uint64_t copySize = 0;
  std::uint64_t copyHash = 0;   // of the run copy written over the script
  unsigned mode = 0644;         // the script's permission bits before the run
};

// The record's text, ending with a check over everything before it, so that
// a torn or altered record is never taken for a sound one.
std::string FormatRunRecord(const RunRecord& record);

// Nothing unless `bytes` is one whole record, its check right and its bytes
// file a plain name in the record's own folder.
std::optional<RunRecord> ParseRunRecord(std::string_view bytes);

}  // namespace corvella
