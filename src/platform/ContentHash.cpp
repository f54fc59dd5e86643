// A 64-bit hash of a file's bytes.
#include "platform/ContentHash.h"

#include <charconv>
#include <cstring>

namespace corvella {
namespace {

constexpr std::uint64_t kMultiplier = 0xFF51AFD7ED558CCDULL;

std::uint64_t Load(const unsigned char* bytes) {
  std::uint64_t word = 0;
  for (int i = 7; i >= 0; --i) word = (word << 8) | bytes[i];  // the same on every byte order
  return word;
}

}  // namespace

void ContentHash::Mix(std::uint64_t word) {
  m_state ^= word;
  m_state *= kMultiplier;
  m_state ^= m_state >> 29;
}

void ContentHash::Add(std::string_view bytes) {
  m_size += bytes.size();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t left = bytes.size();
  if (m_tailSize > 0) {
    const std::size_t take = std::min(left, 8 - m_tailSize);
    std::memcpy(m_tail + m_tailSize, p, take);
    m_tailSize += take;
    p += take;
    left -= take;
    if (m_tailSize < 8) return;
    Mix(Load(m_tail));
    m_tailSize = 0;
  }
  for (; left >= 8; p += 8, left -= 8) Mix(Load(p));
  std::memcpy(m_tail, p, left);
  m_tailSize = left;
}

std::uint64_t ContentHash::Value() const {
  ContentHash last = *this;
  unsigned char tail[8] = {};
  std::memcpy(tail, m_tail, m_tailSize);
  last.Mix(Load(tail));
  last.Mix(m_size);  // a tail of NULs differs from no tail
  std::uint64_t h = last.m_state;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ULL;
  h ^= h >> 33;
  return h;
}

std::uint64_t HashOf(std::string_view bytes) {
  ContentHash hash;
  hash.Add(bytes);
  return hash.Value();
}

std::string HashToHex(std::uint64_t hash) {
  std::string hex(16, '0');
  static constexpr char kDigits[] = "0123456789abcdef";
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[static_cast<std::size_t>(i)] = kDigits[hash & 15];
  return hex;
}

bool HashFromHex(std::string_view hex, std::uint64_t& hash) {
  if (hex.size() != 16) return false;
  for (const char c : hex) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return std::from_chars(hex.data(), hex.data() + hex.size(), hash, 16).ec == std::errc();
}

}  // namespace corvella
