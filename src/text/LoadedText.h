// The load and save pipelines between a file's bytes and the editor's Shift_JIS CR LF text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/ByteBuffer.h"

namespace corvella {

struct LoadedText {
  ByteBuffer text;         // Shift_JIS with CR LF line ends; NUL bytes kept
  std::size_t changed = 0; // characters a UTF-8 file held that the text holds as "?" or as another character
  bool byteOrderMark = false;  // the file began with a UTF-8 byte order mark, which the text does not hold
  // Saving the text in the settled codes gives the file's bytes back, line
  // ends aside; false when the file held bytes the encoding does not define
  // or codes that do not convert back as they were.
  bool writesBack = true;
};

// Normalises the line ends, settles `newlineCode` from them, detects the
// encoding when `autoDetect` is set (updating `encodingCode` unless the text is
// plain ASCII or matches nothing), then converts from `encodingCode` to
// Shift_JIS. A UTF-8 byte order mark at the start says the encoding outright:
// the file is UTF-8 whatever `autoDetect` and `encodingCode` say, and the mark
// is dropped from the text. A code outside its range counts as 0 and comes
// back as 0 unless the load settles it.
// A Shift_JIS file is normalised where it lies and becomes the text itself:
// its bytes are never held twice. Throws std::bad_alloc.
LoadedText DecodeLoadedText(ByteBuffer raw, bool autoDetect, int& encodingCode, int& newlineCode);
LoadedText DecodeLoadedText(std::string_view raw, bool autoDetect, int& encodingCode, int& newlineCode);

struct SavedText {
  std::string bytes;       // what to write
  std::size_t changed = 0; // byte sequences code page 932 does not define, written as "?" (UTF-8 only)
};

// The bytes to write for the editor's text: a final CR LF unless the text is
// empty or ends in LF, converted to `encodingCode`, then every CR LF rewritten
// for `newlineCode`. A code outside its range counts as 0 (no conversion).
// With `byteOrderMark` a UTF-8 file starts with the mark; other encodings
// have none.
SavedText EncodeTextForSave(std::string_view text, int encodingCode, int newlineCode, bool byteOrderMark = false);

}  // namespace corvella
