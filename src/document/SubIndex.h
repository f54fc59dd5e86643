// The package and sub declarations of a text, found as the tokenizer reads it and kept up to date as the text changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/EditBuffer.h"
#include "document/LineStateStore.h"
#include "document/PerlLexer.h"

namespace corvella {

// "package NAME" or "sub NAME" written in code; "sub {" (an anonymous sub)
// is none.
struct SubEntry {
  enum class Kind : std::uint8_t { kPackage, kSub };
  Kind kind = Kind::kSub;
  std::string name;  // ASCII: the tokenizer's words are
  std::size_t line = 0;
  bool operator==(const SubEntry&) const = default;
};

// Built from the whole text when first asked (or a slice at a time through
// BuildSome, so that a large text never holds up a window), then kept by reading again
// only the lines an edit touched and the lines below them whose start state
// changed (a heredoc or POD opened or closed), until the line states meet
// their old values again. The others only move with their lines.
class SubIndex {
 public:
  SubIndex(const EditBuffer& buffer, LineStateStore& states) : m_buffer(buffer), m_states(states) {}
  SubIndex(const SubIndex&) = delete;
  SubIndex& operator=(const SubIndex&) = delete;

  // The owner passes on every change of the buffer, after the line states.
  void TextChanged(const EditBuffer::TextChange& change);

  // In text order; finishes the build first.
  const std::vector<SubEntry>& Entries();
  // Reads on with the build for about `lines` lines; true once it is done.
  // An edit above the lines read so far takes the build back to the edit.
  bool BuildSome(std::size_t lines);
  bool Built() const { return m_built; }
  // Counts changes of the entries' kinds and names; moving with their
  // lines changes nothing.
  std::uint64_t Revision() const { return m_revision; }
  // The last entry at or above `line`, or npos when there is none.
  std::size_t EntryAt(std::size_t line);
  // Lines read for declarations since the index was made: what keeping it has cost.
  std::size_t ReadLines() const { return m_read; }

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 private:
  void Build();
  void Finish();
  // Appends the declarations of `line` to `out`.
  void ReadLine(std::size_t line, std::vector<SubEntry>& out);
  // Puts `found` in place of entries [from, to).
  void ReplaceRange(std::size_t from, std::size_t to, std::vector<SubEntry>& found);

  const EditBuffer& m_buffer;
  LineStateStore& m_states;
  PerlLexer m_lexer;
  std::vector<WordSpan> m_words;
  std::vector<SubEntry> m_entries;
  bool m_built = false;
  std::size_t m_progress = 0;  // lines [0, m_progress) read while building
  std::uint64_t m_revision = 0;
  std::size_t m_read = 0;
};

}  // namespace corvella
