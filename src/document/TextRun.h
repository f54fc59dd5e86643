// The one run type from the Perl tokenizer to the painter: a byte range of a line and what it is coloured as.
#pragma once

#include <cstddef>
#include <cstdint>

namespace corvella {

// What a run is coloured as; the view maps each class to one of its colours.
enum class LexClass : std::uint8_t {
  kText,     // plain text colour
  kKeyword,  // keywords, built-in functions, names of quote-like operators
  kComment,
  kString,
  kPattern,  // /.../ and the bodies of m q qq qx s y tr
  kSubCall,  // &name
  // "＿" (the two bytes 81 51) drawn in the comment colour over a double-byte
  // character whose trail byte is 5C; always comes after the run that holds
  // that character, and overlaps it.
  kMark,
};

// Bytes [start, start + length). The tokenizer fills the first three members;
// the line layout cuts its runs into pieces drawn with one call each and
// fills in where each piece stands in the cell grid.
struct TextRun {
  std::size_t start = 0;
  std::size_t length = 0;
  LexClass cls = LexClass::kText;
  int cell = 0;   // first cell, tabs expanded
  int cells = 0;  // cells the piece covers
  bool selected = false;
  bool operator==(const TextRun&) const = default;
};

}  // namespace corvella
