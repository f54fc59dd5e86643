// Byte storage behind EditBuffer: the text in small blocks, each listing its line breaks, over prefix sums.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/ByteBuffer.h"

namespace corvella {

// The text lives in blocks of at most `capacity` bytes, none empty. Each block
// lists the offsets of its LF bytes that complete a CR LF pair; two Fenwick
// trees sum the block sizes and the break counts. Locating a position or a
// line is O(log blocks), an edit inside one block O(capacity + log blocks),
// whatever the text size; only adding or removing blocks is O(blocks), which
// happens about once per block of typed text. Loading is linear, and so is
// appending at the end, which adds blocks without laying out any again.
// Blocks of a large loaded text are slices of the one allocation it came in,
// packed end to end; a block is given an allocation of its own the first
// time an edit would write past its slice. The others own theirs.
struct TextBlockBytesDeleter {
  bool owned = true;
  void operator()(char* bytes) const {
    if (owned) delete[] bytes;
  }
};

class TextBlocks {
 public:
  static constexpr std::size_t kDefaultBlockCapacity = 4096;
  static constexpr std::size_t kMinBlockCapacity = 4;
  static constexpr std::size_t kMaxBlockCapacity = 65535;  // offsets are 16-bit

  // `blockCapacity` is clamped to [kMinBlockCapacity, kMaxBlockCapacity].
  explicit TextBlocks(std::size_t blockCapacity = kDefaultBlockCapacity);

  // The one rule for line breaks: CR immediately followed by LF. A lone CR or
  // LF is an ordinary byte of its line. The line start after a break is the
  // position after its LF, so line n starts after the n-th break.
  static constexpr bool IsLineBreak(char first, char second) {
    return first == '\r' && second == '\n';
  }

  std::size_t Length() const { return length_; }
  std::size_t BreakCount() const { return breakCount_; }

  // Breaks whose LF lies before `pos` (<= Length()): the line holding `pos`.
  std::size_t BreaksBefore(std::size_t pos) const;
  // Position just after the n-th break, 1 <= n <= BreakCount(): where line n starts.
  std::size_t PositionAfterBreak(std::size_t n) const;

  unsigned char ByteAt(std::size_t pos) const;  // pos < Length()
  // Appends [start, end) to `out`; start <= end <= Length().
  void AppendTo(std::string& out, std::size_t start, std::size_t end) const;

  // Calls `piece(const char*, std::size_t)` for the text's bytes in order,
  // block by block, allocating nothing (a forked writer relies on that).
  template <class Piece>
  void ForEachPiece(Piece&& piece) const {
    for (const Block& block : blocks_) {
      if (block.size > 0) piece(static_cast<const char*>(block.bytes.get()), block.size);
    }
  }

  // A text of at least kBulkMinimum bytes stays in the allocation it came
  // in, and `advice` (when set) is told of it: the platform asks for huge
  // pages there, which makes a forked writer's snapshot of a large document
  // cheap (far fewer page-table entries to copy).
  static constexpr std::size_t kBulkMinimum = std::size_t{4} << 20;
  using BulkAdvice = void (*)(void* bytes, std::size_t size);
  void SetBulkAdvice(BulkAdvice advice) { m_bulkAdvice = advice; }

  void Assign(std::string_view text);
  // As Assign, taking the bytes themselves: a large text is not copied.
  void Adopt(ByteBuffer text);
  void Erase(std::size_t start, std::size_t end);      // start <= end <= Length()
  void Insert(std::size_t pos, std::string_view text);  // pos <= Length()

  // Empty when every internal invariant holds, else what is wrong (for tests).
  std::string CheckConsistency() const;

  // Byte access for scans: remembers the last block, so neighbouring reads
  // cost O(1). Any edit of the text invalidates it.
  class Reader {
   public:
    explicit Reader(const TextBlocks& text) : text_(text) {}
    unsigned char operator()(std::size_t pos);  // pos < Length()

   private:
    const TextBlocks& text_;
    const char* data_ = nullptr;
    std::size_t start_ = 0;
    std::size_t size_ = 0;
  };

 private:
  using BytesDeleter = TextBlockBytesDeleter;
  struct Block {
    std::unique_ptr<char[], BytesDeleter> bytes;  // `capacity_` bytes
    std::size_t size = 0;
    std::vector<std::uint16_t> breaks;  // offsets of LFs ending a CR LF, ascending
  };

  // Prefix sums over per-block values, rebuilt whenever blocks come or go
  // anywhere but at the end.
  class Fenwick {
   public:
    template <class Value>
    void Build(const std::vector<Block>& blocks, Value value);
    void Push(std::size_t value);  // one more value at the end, O(log size)
    void Add(std::size_t index, std::size_t delta);
    void Subtract(std::size_t index, std::size_t delta);
    std::size_t Prefix(std::size_t count) const;  // sum of the first `count` values
    struct Hit {
      std::size_t index;
      std::size_t rest;  // unit - Prefix(index)
    };
    Hit Find(std::size_t unit) const;  // unit < total

   private:
    std::vector<std::size_t> tree_;  // 1-based
    std::size_t top_ = 0;            // highest power of two <= size
  };

  struct Location {
    std::size_t block;
    std::size_t offset;
  };

  Block NewBlock() const;
  void Own(Block& block) const;  // before writing past the block's size
  std::size_t FillTarget() const;
  Location Locate(std::size_t pos) const;           // pos < Length()
  Location LocateForInsert(std::size_t pos) const;  // the block holding pos - 1
  char LastByteBefore(std::size_t block) const;     // NUL before the first block
  void Rebuild();
  void InsertInPlace(Location at, std::string_view text);
  void InsertSplitting(Location at, std::string_view text);
  void Append(std::string_view text);
  void MergeIfSmall(std::size_t block);
  void FixBreakAt(std::size_t pos);

  // Appends to `out` the offsets in [from, to) of `bytes` that hold a
  // break's LF; `before` is the byte preceding offset 0.
  static void ScanBreaks(const char* bytes, std::size_t from, std::size_t to, char before,
                         std::vector<std::uint16_t>& out);

  std::size_t capacity_;
  BulkAdvice m_bulkAdvice = nullptr;
  ByteBuffer bulk_;  // before the blocks that point into it
  std::vector<Block> blocks_;
  Fenwick sizes_;
  Fenwick breakSums_;
  std::size_t length_ = 0;
  std::size_t breakCount_ = 0;
  std::vector<std::uint16_t> scratch_;
};

}  // namespace corvella
