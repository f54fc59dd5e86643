// Byte storage behind EditBuffer: blocks, their line breaks and the prefix sums over both.
#include "document/TextBlocks.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <iterator>
#include <new>

#include "text/ByteScan.h"
#include "text/TwoThreads.h"

namespace corvella {

// ---------------------------------------------------------------- Fenwick

template <class Value>
void TextBlocks::Fenwick::Build(const std::vector<Block>& blocks, Value value) {
  const std::size_t n = blocks.size();
  tree_.assign(n + 1, 0);
  for (std::size_t i = 1; i <= n; ++i) {
    tree_[i] += value(blocks[i - 1]);
    const std::size_t parent = i + (i & (~i + 1));
    if (parent <= n) tree_[parent] += tree_[i];
  }
  top_ = n ? std::bit_floor(n) : 0;
}

// The new node n covers the values (n - lowbit(n), n]: its own and those
// before it that the earlier nodes already sum.
void TextBlocks::Fenwick::Push(std::size_t value) {
  const std::size_t n = tree_.size();
  tree_.push_back(value + Prefix(n - 1) - Prefix(n - (n & (~n + 1))));
  top_ = std::bit_floor(n);
}

void TextBlocks::Fenwick::Add(std::size_t index, std::size_t delta) {
  for (std::size_t i = index + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += delta;
}

void TextBlocks::Fenwick::Subtract(std::size_t index, std::size_t delta) {
  for (std::size_t i = index + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] -= delta;
}

std::size_t TextBlocks::Fenwick::Prefix(std::size_t count) const {
  std::size_t sum = 0;
  for (std::size_t i = count; i > 0; i -= i & (~i + 1)) sum += tree_[i];
  return sum;
}

TextBlocks::Fenwick::Hit TextBlocks::Fenwick::Find(std::size_t unit) const {
  std::size_t index = 0;
  std::size_t rest = unit;
  for (std::size_t step = top_; step; step >>= 1) {
    const std::size_t next = index + step;
    if (next < tree_.size() && tree_[next] <= rest) {
      index = next;
      rest -= tree_[next];
    }
  }
  return {index, rest};
}

// ---------------------------------------------------------------- reading

TextBlocks::TextBlocks(std::size_t blockCapacity)
    : capacity_(std::clamp(blockCapacity, kMinBlockCapacity, kMaxBlockCapacity)) {
  Rebuild();
}

unsigned char TextBlocks::Reader::operator()(std::size_t pos) {
  // Unsigned wrap-around makes one comparison cover both sides of the cached block.
  if (pos - start_ >= size_) {
    const Location at = text_.Locate(pos);
    const Block& block = text_.blocks_[at.block];
    data_ = block.bytes.get();
    start_ = pos - at.offset;
    size_ = block.size;
  }
  return static_cast<unsigned char>(data_[pos - start_]);
}

TextBlocks::Block TextBlocks::NewBlock() const {
  Block block;
  block.bytes.reset(new char[capacity_]);
  return block;
}

void TextBlocks::Own(Block& block) const {
  if (block.bytes.get_deleter().owned) return;
  Block own = NewBlock();
  std::memcpy(own.bytes.get(), block.bytes.get(), block.size);
  block.bytes = std::move(own.bytes);
}

// Blocks are filled to 7/8 when they are made, so that typing into a freshly
// loaded text does not split a block at every keystroke.
std::size_t TextBlocks::FillTarget() const {
  return std::max<std::size_t>(1, capacity_ - capacity_ / 8);
}

TextBlocks::Location TextBlocks::Locate(std::size_t pos) const {
  const Fenwick::Hit hit = sizes_.Find(pos);
  return {hit.index, hit.rest};
}

// An insertion at a block boundary goes to the end of the earlier block.
TextBlocks::Location TextBlocks::LocateForInsert(std::size_t pos) const {
  if (pos == 0) return {0, 0};
  const Location at = Locate(pos - 1);
  return {at.block, at.offset + 1};
}

char TextBlocks::LastByteBefore(std::size_t block) const {
  if (block == 0) return '\0';
  const Block& prev = blocks_[block - 1];
  return prev.bytes[prev.size - 1];
}

std::size_t TextBlocks::BreaksBefore(std::size_t pos) const {
  if (pos == 0) return 0;
  const Location at = Locate(pos - 1);
  const std::vector<std::uint16_t>& breaks = blocks_[at.block].breaks;
  const auto within = std::upper_bound(breaks.begin(), breaks.end(), at.offset) - breaks.begin();
  return breakSums_.Prefix(at.block) + static_cast<std::size_t>(within);
}

std::size_t TextBlocks::PositionAfterBreak(std::size_t n) const {
  const Fenwick::Hit hit = breakSums_.Find(n - 1);
  return sizes_.Prefix(hit.index) + blocks_[hit.index].breaks[hit.rest] + 1;
}

unsigned char TextBlocks::ByteAt(std::size_t pos) const {
  const Location at = Locate(pos);
  return static_cast<unsigned char>(blocks_[at.block].bytes[at.offset]);
}

void TextBlocks::AppendTo(std::string& out, std::size_t start, std::size_t end) const {
  if (start >= end) return;
  out.reserve(out.size() + (end - start));
  Location at = Locate(start);
  for (std::size_t left = end - start; left > 0; ++at.block, at.offset = 0) {
    const Block& block = blocks_[at.block];
    const std::size_t take = std::min(block.size - at.offset, left);
    out.append(block.bytes.get() + at.offset, take);
    left -= take;
  }
}

// ---------------------------------------------------------------- line breaks

void TextBlocks::ScanBreaks(const char* bytes, std::size_t from, std::size_t to, char before,
                            std::vector<std::uint16_t>& out) {
  // 64 bytes at a time rather than a search per line: lines are short, and
  // a large file has millions of them.
  using bytescan::Block64;
  using bytescan::kBlock;
  const auto* const p = reinterpret_cast<const unsigned char*>(bytes);
  std::size_t i = from;
  std::uint64_t afterCr = IsLineBreak(i ? bytes[i - 1] : before, '\n');  // the byte before the block is a CR
  for (; to - i >= kBlock; i += kBlock) {
    const Block64 block(p + i);
    const std::uint64_t crs = block.Eq('\r');
    for (std::uint64_t lfs = block.Eq('\n') & (crs << 1 | afterCr); lfs; lfs &= lfs - 1) {
      out.push_back(static_cast<std::uint16_t>(i + static_cast<std::size_t>(std::countr_zero(lfs))));
    }
    afterCr = crs >> 63;
  }
  for (; i < to; ++i) {
    if (IsLineBreak(i ? bytes[i - 1] : before, bytes[i])) out.push_back(static_cast<std::uint16_t>(i));
  }
}

// Whether the byte at `pos` completes a break depends on its predecessor too;
// an edit calls this for the first byte after the bytes it changed.
void TextBlocks::FixBreakAt(std::size_t pos) {
  const Location at = Locate(pos);
  Block& block = blocks_[at.block];
  const char prev = at.offset ? block.bytes[at.offset - 1] : LastByteBefore(at.block);
  const bool wanted = IsLineBreak(prev, block.bytes[at.offset]);
  const auto it = std::lower_bound(block.breaks.begin(), block.breaks.end(), at.offset);
  const bool held = it != block.breaks.end() && *it == at.offset;
  if (wanted == held) return;
  if (wanted) {
    block.breaks.insert(it, static_cast<std::uint16_t>(at.offset));
    breakSums_.Add(at.block, 1);
    ++breakCount_;
  } else {
    block.breaks.erase(it);
    breakSums_.Subtract(at.block, 1);
    --breakCount_;
  }
}

// ---------------------------------------------------------------- editing

void TextBlocks::Rebuild() {
  sizes_.Build(blocks_, [](const Block& block) { return block.size; });
  breakSums_.Build(blocks_, [](const Block& block) { return block.breaks.size(); });
  length_ = sizes_.Prefix(blocks_.size());
  breakCount_ = breakSums_.Prefix(blocks_.size());
}

void TextBlocks::Assign(std::string_view text) {
  if (text.size() >= kBulkMinimum) {
    Adopt(ByteBuffer(text));
    return;
  }
  blocks_.clear();
  bulk_ = ByteBuffer();
  const std::size_t fill = FillTarget();
  blocks_.reserve((text.size() + fill - 1) / fill);
  for (std::size_t pos = 0; pos < text.size(); pos += fill) {
    const std::size_t take = std::min(fill, text.size() - pos);
    Block block = NewBlock();
    std::memcpy(block.bytes.get(), text.data() + pos, take);
    block.size = take;
    ScanBreaks(block.bytes.get(), 0, take, pos ? text[pos - 1] : '\0', block.breaks);
    blocks_.push_back(std::move(block));
  }
  Rebuild();
}

void TextBlocks::Adopt(ByteBuffer text) {
  if (text.Size() < kBulkMinimum) {
    Assign(text.View());
    return;
  }
  blocks_.clear();
  bulk_ = std::move(text);
  if (m_bulkAdvice) m_bulkAdvice(bulk_.Data(), bulk_.Size());
  // Slices as full as blocks are made, so that a slice given its own
  // allocation has room left for typing.
  const std::size_t fill = FillTarget();
  const std::size_t size = bulk_.Size();
  blocks_.reserve((size + fill - 1) / fill);
  char* const bytes = bulk_.Data();
  for (std::size_t pos = 0; pos < size; pos += fill) {
    Block block;
    block.bytes = std::unique_ptr<char[], BytesDeleter>(bytes + pos, BytesDeleter{false});
    block.size = std::min(fill, size - pos);
    blocks_.push_back(std::move(block));
  }
  // Each block's breaks depend on its bytes and the one before it only, so
  // two threads scan them, taking runs of blocks in turn: when the other
  // thread gets no processor, this one scans the rest on its own.
  std::atomic<std::size_t> next{0};
  const auto scan = [this, bytes, fill, &next] {
    constexpr std::size_t kRun = 64;
    for (std::size_t from; (from = next.fetch_add(kRun)) < blocks_.size();) {
      for (std::size_t i = from; i < std::min(from + kRun, blocks_.size()); ++i) {
        Block& block = blocks_[i];
        ScanBreaks(block.bytes.get(), 0, block.size, i ? bytes[i * fill - 1] : '\0', block.breaks);
      }
    }
  };
  RunOnTwoThreads(scan, scan);
  Rebuild();
}

void TextBlocks::Insert(std::size_t pos, std::string_view text) {
  if (text.empty()) return;
  if (blocks_.empty()) {
    Assign(text);
    return;
  }
  const Location at = LocateForInsert(pos);
  if (blocks_[at.block].size + text.size() <= capacity_) {
    InsertInPlace(at, text);
  } else if (pos == length_) {
    Append(text);
  } else {
    InsertSplitting(at, text);
  }
  if (pos + text.size() < length_) FixBreakAt(pos + text.size());
}

void TextBlocks::InsertInPlace(Location at, std::string_view text) {
  Block& block = blocks_[at.block];
  Own(block);
  char* bytes = block.bytes.get();
  const std::size_t n = text.size();
  std::memmove(bytes + at.offset + n, bytes + at.offset, block.size - at.offset);
  std::memcpy(bytes + at.offset, text.data(), n);
  block.size += n;

  const auto first = std::lower_bound(block.breaks.begin(), block.breaks.end(), at.offset);
  for (auto it = first; it != block.breaks.end(); ++it) *it = static_cast<std::uint16_t>(*it + n);
  scratch_.clear();
  ScanBreaks(bytes, at.offset, at.offset + n, LastByteBefore(at.block), scratch_);
  block.breaks.insert(first, scratch_.begin(), scratch_.end());

  sizes_.Add(at.block, n);
  breakSums_.Add(at.block, scratch_.size());
  length_ += n;
  breakCount_ += scratch_.size();
}

// The inserted text and the block's tail after the insertion point are laid
// out again: first topping up the block itself, then in new blocks after it.
void TextBlocks::InsertSplitting(Location at, std::string_view text) {
  const std::size_t fill = FillTarget();
  Block& block = blocks_[at.block];
  Own(block);
  const std::string tail(block.bytes.get() + at.offset, block.size - at.offset);
  block.breaks.erase(std::lower_bound(block.breaks.begin(), block.breaks.end(), at.offset),
                     block.breaks.end());
  block.size = at.offset;

  std::vector<Block> fresh;
  const auto feed = [&](std::string_view src) {
    while (!src.empty()) {
      Block* dst = &block;
      if (block.size >= fill || !fresh.empty()) {
        if (fresh.empty() || fresh.back().size >= fill) fresh.push_back(NewBlock());
        dst = &fresh.back();
      }
      const std::size_t take = std::min(src.size(), fill - dst->size);
      std::memcpy(dst->bytes.get() + dst->size, src.data(), take);
      dst->size += take;
      src.remove_prefix(take);
    }
  };
  feed(text);
  feed(tail);

  ScanBreaks(block.bytes.get(), at.offset, block.size, LastByteBefore(at.block), block.breaks);
  char before = block.bytes[block.size - 1];  // never empty: it kept bytes or was topped up
  for (Block& b : fresh) {
    ScanBreaks(b.bytes.get(), 0, b.size, before, b.breaks);
    before = b.bytes[b.size - 1];
  }
  blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(at.block + 1),
                 std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
  Rebuild();
}

// Text added at the end (a run's output) tops up the last block and goes on
// in new blocks pushed after it: nothing is moved, and the prefix sums grow
// by one node per block instead of being built again.
void TextBlocks::Append(std::string_view text) {
  const std::size_t fill = FillTarget();
  const std::size_t last = blocks_.size() - 1;
  if (const std::size_t size = blocks_[last].size; size < fill) {
    const std::size_t take = std::min(text.size(), fill - size);
    InsertInPlace({last, size}, text.substr(0, take));
    text.remove_prefix(take);
  }
  while (!text.empty()) {
    const std::size_t take = std::min(text.size(), fill);
    Block block = NewBlock();
    std::memcpy(block.bytes.get(), text.data(), take);
    block.size = take;
    // Scanned aside first, so that the block's list is allocated once.
    scratch_.clear();
    ScanBreaks(block.bytes.get(), 0, take, LastByteBefore(blocks_.size()), scratch_);
    block.breaks.assign(scratch_.begin(), scratch_.end());
    sizes_.Push(take);
    breakSums_.Push(scratch_.size());
    length_ += take;
    breakCount_ += scratch_.size();
    blocks_.push_back(std::move(block));
    text.remove_prefix(take);
  }
}

void TextBlocks::Erase(std::size_t start, std::size_t end) {
  if (start >= end) return;
  if (start == 0 && end == length_) {
    blocks_.clear();
    bulk_ = ByteBuffer();
    Rebuild();
    return;
  }
  const Location a = Locate(start);
  const Location z = Locate(end - 1);
  const std::size_t zEnd = z.offset + 1;  // exclusive, within block z

  if (a.block == z.block) {
    Block& block = blocks_[a.block];
    const std::size_t n = end - start;
    std::memmove(block.bytes.get() + a.offset, block.bytes.get() + zEnd, block.size - zEnd);
    block.size -= n;
    std::vector<std::uint16_t>& breaks = block.breaks;
    const auto lo = std::lower_bound(breaks.begin(), breaks.end(), a.offset);
    const auto hi = std::lower_bound(lo, breaks.end(), zEnd);
    const std::size_t removed = static_cast<std::size_t>(hi - lo);
    for (auto it = hi; it != breaks.end(); ++it) *it = static_cast<std::uint16_t>(*it - n);
    breaks.erase(lo, hi);
    if (block.size == 0) {
      blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(a.block));
      Rebuild();
    } else {
      sizes_.Subtract(a.block, n);
      breakSums_.Subtract(a.block, removed);
      length_ -= n;
      breakCount_ -= removed;
      MergeIfSmall(a.block);
    }
  } else {
    Block& first = blocks_[a.block];
    first.breaks.erase(std::lower_bound(first.breaks.begin(), first.breaks.end(), a.offset),
                       first.breaks.end());
    first.size = a.offset;

    Block& last = blocks_[z.block];
    std::memmove(last.bytes.get(), last.bytes.get() + zEnd, last.size - zEnd);
    last.size -= zEnd;
    const auto kept = std::lower_bound(last.breaks.begin(), last.breaks.end(), zEnd);
    last.breaks.erase(last.breaks.begin(), kept);
    for (std::uint16_t& offset : last.breaks) offset = static_cast<std::uint16_t>(offset - zEnd);

    const std::size_t from = a.block + (first.size ? 1 : 0);
    const std::size_t to = z.block + (last.size ? 0 : 1);
    blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(from),
                  blocks_.begin() + static_cast<std::ptrdiff_t>(to));
    Rebuild();
    // The seam lies between blocks a.block and a.block + 1 (or at the front of a.block).
    const std::size_t seam = std::min(a.block, blocks_.size() - 1);
    if (seam + 1 < blocks_.size()) MergeIfSmall(seam + 1);
    MergeIfSmall(seam);
  }
  if (start < length_) FixBreakAt(start);
}

// Keeps deletions from leaving long runs of nearly empty blocks. A block is
// merged only into a neighbour that stays under the fill target, so a merge
// never makes a block that the next keystroke splits again.
void TextBlocks::MergeIfSmall(std::size_t index) {
  if (blocks_.size() < 2 || index >= blocks_.size()) return;
  if (blocks_[index].size >= capacity_ / 4) return;
  const std::size_t fill = FillTarget();
  std::size_t into;
  if (index > 0 && blocks_[index - 1].size + blocks_[index].size <= fill) {
    into = index - 1;
  } else if (index + 1 < blocks_.size() && blocks_[index].size + blocks_[index + 1].size <= fill) {
    into = index;
  } else {
    return;
  }
  Block& dst = blocks_[into];
  Own(dst);
  const Block& src = blocks_[into + 1];
  std::memcpy(dst.bytes.get() + dst.size, src.bytes.get(), src.size);
  // An LF at the front of `src` keeps its predecessor, so its entry stays valid.
  for (const std::uint16_t offset : src.breaks) {
    dst.breaks.push_back(static_cast<std::uint16_t>(offset + dst.size));
  }
  dst.size += src.size;
  blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(into + 1));
  Rebuild();
}

// ---------------------------------------------------------------- checking

std::string TextBlocks::CheckConsistency() const {
  std::size_t total = 0;
  std::size_t breaks = 0;
  char before = '\0';
  std::vector<std::uint16_t> expected;
  for (std::size_t k = 0; k < blocks_.size(); ++k) {
    const Block& block = blocks_[k];
    const std::string where = "block " + std::to_string(k) + ": ";
    if (block.size == 0) return where + "empty";
    if (block.size > capacity_) return where + "over capacity";
    expected.clear();
    ScanBreaks(block.bytes.get(), 0, block.size, before, expected);
    if (expected != block.breaks) return where + "line breaks differ from the bytes";
    if (sizes_.Prefix(k) != total) return where + "size prefix sum";
    if (breakSums_.Prefix(k) != breaks) return where + "break prefix sum";
    total += block.size;
    breaks += block.breaks.size();
    before = block.bytes[block.size - 1];
  }
  if (total != length_) return "length";
  if (breaks != breakCount_) return "break count";
  if (sizes_.Prefix(blocks_.size()) != total) return "size total";
  if (breakSums_.Prefix(blocks_.size()) != breaks) return "break total";
  return {};
}

}  // namespace corvella
