// The tokenizer's state at the start of every line, kept beside the buffer: dropped from an edit on, computed when asked.
#pragma once

#include <cstddef>
#include <vector>

#include "document/EditBuffer.h"
#include "document/GapVector.h"
#include "document/PerlLexer.h"

namespace corvella {

// States of lines [0, ValidLines()) are right for the current text; the rest
// are computed, line after line, only when a line at or past them is asked
// for. An edit keeps the states after it, moved with their lines, as
// guesses: once recomputing has passed the edited lines and meets a state
// equal to its guess, the guesses after it are right as well, up to the next
// edited lines. So an edit near the top of a large text costs a few lines,
// even when a line far below is asked for next.
class LineStateStore {
 public:
  explicit LineStateStore(const EditBuffer& buffer) : m_buffer(buffer) { m_states.PushBack(LineState()); }
  LineStateStore(const LineStateStore&) = delete;
  LineStateStore& operator=(const LineStateStore&) = delete;

  // The owner passes on every change of the buffer before anyone asks again.
  void TextChanged(const EditBuffer::TextChange& change);

  // The state `line` starts with; past the last line, the state after it.
  LineState At(std::size_t line);

  std::size_t ValidLines() const { return m_valid; }
  // Lines scanned since the store was made: what asking has cost.
  std::size_t ScannedLines() const { return m_scanned; }

 private:
  const EditBuffer& m_buffer;
  PerlLexer m_lexer;
  // States [from, to) follow edited lines and are no guesses; state `to`,
  // after the last edited line, is a guess that need not follow from the one
  // before it: recomputing may meet it, but not trust it.
  struct Edited {
    std::size_t from;
    std::size_t to;
  };

  void Forget(std::size_t first, std::size_t oldEnd, std::size_t newEnd);

  // [n]: the state line n starts with; [0, m_valid) right, the rest guesses,
  // each one what the guess before it and its line give, outside m_edited.
  // Typing in one place moves none of them.
  GapVector<LineState> m_states;
  std::size_t m_valid = 1;
  std::vector<Edited> m_edited;  // in order, apart, at or after m_valid
  std::size_t m_scanned = 0;
};

}  // namespace corvella
