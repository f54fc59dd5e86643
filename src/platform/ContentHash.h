// A 64-bit hash of a file's bytes: enough to tell whether a file is still exactly the bytes a record names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvella {

// Not a cryptographic hash: it guards against accidents (a torn write, a
// file changed by another program), not against an attacker. Fed in pieces
// of any size, it answers the same as fed whole.
class ContentHash {
 public:
  void Add(std::string_view bytes);
  std::uint64_t Value() const;
  std::uint64_t Size() const { return m_size; }

 private:
  void Mix(std::uint64_t word);

  std::uint64_t m_state = 0x9E3779B97F4A7C15ULL;
  std::uint64_t m_size = 0;
  unsigned char m_tail[8] = {};
  std::size_t m_tailSize = 0;
};

std::uint64_t HashOf(std::string_view bytes);

// Sixteen lower-case hex digits, and back; nothing for anything else.
std::string HashToHex(std::uint64_t hash);
bool HashFromHex(std::string_view hex, std::uint64_t& hash);

}  // namespace corvella
