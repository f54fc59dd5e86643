// The recovery copy of a modified document: the editor's bytes with what is needed to reopen them as the document they were.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvella {

struct RecoveryRecord {
  std::string path;   // the document's file (file-system bytes); empty when never saved
  std::string title;  // the title shown, e.g. "untitled2"
  int kanjiCode = 0;  // encoding code of the file
  int crlf = 0;       // newline code of the file
  bool readOnly = false;
  std::string text;   // the editor's text: Shift_JIS, CR LF
};

// Everything before the text: the fields and the text's length. The text's
// bytes follow it unchanged, so a writer can stream them.
std::string FormatRecoveryHeader(const RecoveryRecord& record, std::size_t textLength);

// The record of a whole copy; none when the bytes are not a complete copy
// (another file, a torn write, a different version).
std::optional<RecoveryRecord> ParseRecoveryRecord(std::string_view bytes);

}  // namespace corvella
