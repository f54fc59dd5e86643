// Searching an EditBuffer for a byte string the way the edit view's find does: forward or backward, no wrap-around.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "document/EditBuffer.h"

namespace corvella {

// A match starts and ends on character boundaries: never on a trail byte,
// never between the CR and LF of a line break, never halfway through a
// double-byte character. Without match case only the single-byte ASCII
// letters fold; a double-byte character, trail byte included, compares byte
// for byte. An empty needle matches nothing.
//
// The text is read in chunks that grow from a few KiB to `maxChunk`, so a
// search near its start position costs little and a search through 100 MB
// never holds more than one chunk; candidates come from memchr on the
// needle's first byte (both forms of a letter without match case).
class TextSearch {
 public:
  static constexpr std::size_t npos = EditBuffer::npos;
  static constexpr std::size_t kMaxChunk = std::size_t{1} << 20;

  // `maxChunk` below kMaxChunk only to exercise chunk borders in tests.
  TextSearch(std::string_view needle, bool matchCase, std::size_t maxChunk = kMaxChunk);

  const std::string& Needle() const { return needle_; }
  bool MatchCase() const { return matchCase_; }

  // Start of the first match that starts at or after `from`, or npos.
  std::size_t FindForward(const EditBuffer& buffer, std::size_t from) const;
  // Start of the last match that starts before `before`, or npos. The match
  // may reach past `before`.
  std::size_t FindBackward(const EditBuffer& buffer, std::size_t before) const;

  // The next match as the find commands see it: down searches from the end
  // of the selection (so a selected match is stepped over), up searches
  // before its start.
  std::size_t FindFromSelection(const EditBuffer& buffer, bool down) const;
  // Whether the selection is exactly the needle, case as chosen.
  bool SelectionMatches(const EditBuffer& buffer) const;

 private:
  class Chunk;

  // Whether the needle matches `text` at offset `at`, where `at` is a
  // character boundary and `text` holds the byte after the match when the
  // buffer has one.
  bool MatchesAt(std::string_view text, std::size_t at) const;
  // Scans the candidate starts from the chunk's start up to `to`; `boundary`
  // is a character boundary at or before the chunk's start and moves up with
  // the scan. Stops at the first match when `first`, else returns the last
  // one; npos when none.
  std::size_t ScanChunk(const Chunk& chunk, std::size_t to, std::size_t& boundary, bool first) const;

  std::string needle_;
  bool matchCase_;
  std::size_t maxChunk_;
};

}  // namespace corvella
