// The bytes a save writes for the editor's text, made a chunk at a time as the text is handed over piece by piece.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace corvella {

// The bytes are those of converting the whole text at once: a final CR LF
// unless the text is empty or ends in LF, converted to `encodingCode`, every
// CR LF then rewritten for `newlineCode`, a UTF-8 byte order mark first when
// asked for. Only about a chunk of the text is held at a time, so saving a
// large document never holds a second copy of it. Codes outside their
// ranges count as 0 (no conversion).
class SaveEncoder {
 public:
  // Takes bytes to write; a nonzero answer (an errno) stops the encoding.
  using Sink = std::function<int(std::string_view bytes)>;

  SaveEncoder(int encodingCode, int newlineCode, bool byteOrderMark, Sink sink);

  // The next piece of the text. Answers the sink's first nonzero answer, then keeps it.
  int Add(std::string_view piece);
  // After the last piece: the rest, with the final line end.
  int Finish();
  // Byte sequences code page 932 does not define, written as "?" (UTF-8 only).
  std::size_t Changed() const { return m_changed; }

 private:
  int Flush(std::size_t end);

  int m_encoding;
  int m_newline;
  bool m_byteOrderMark;
  Sink m_sink;
  std::string m_pending;  // text not yet converted
  std::string m_out;      // reused for each chunk's bytes
  bool m_started = false;
  bool m_endsInLf = false;
  bool m_empty = true;
  int m_error = 0;
  std::size_t m_changed = 0;
};

// Converting text in chunks ends each one where converting the whole would be
// between characters: [start, answer) is the next chunk of at least `chunk`
// bytes (all the rest when that is less or no such place follows).
std::size_t SaveChunkEnd(std::string_view text, std::size_t start, std::size_t chunk);

// Converts the Shift_JIS `chunk` into `out`, which it reuses; answers the
// converted bytes (for Shift_JIS, `chunk` itself). Counts into `changed` as
// the UTF-8 conversion does.
std::string_view EncodeSaveChunk(std::string_view chunk, int encodingCode, std::string& out, std::size_t& changed);

}  // namespace corvella
