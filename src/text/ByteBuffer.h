// Bytes in one malloc'd allocation that can grow where it lies, so that a large file is never held twice.
#pragma once

#include <cstddef>
#include <string_view>

namespace corvella {

// For a large block, growing asks the allocator to move or extend its pages
// rather than copy the bytes, and the holder can give the allocation on to
// another without copying it.
class ByteBuffer {
 public:
  ByteBuffer() = default;
  explicit ByteBuffer(std::string_view bytes);  // a copy; throws std::bad_alloc
  // Takes `bytes`, allocated with std::malloc, as its own.
  static ByteBuffer Adopt(char* bytes, std::size_t size);
  ByteBuffer(ByteBuffer&& other) noexcept;
  ByteBuffer& operator=(ByteBuffer&& other) noexcept;
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;
  ~ByteBuffer();

  char* Data() { return m_bytes; }
  const char* Data() const { return m_bytes; }
  std::size_t Size() const { return m_size; }
  bool Empty() const { return m_size == 0; }
  std::string_view View() const { return {m_bytes, m_size}; }
  operator std::string_view() const { return View(); }  // NOLINT: read like a string_view
  friend bool operator==(const ByteBuffer& a, std::string_view b) { return a.View() == b; }

  // Bytes [0, min(old, new size)) are kept; false (nothing changed) when
  // there is no memory for it.
  bool Resize(std::size_t size);
  // The allocation, for the caller to std::free; the buffer is left empty.
  char* Release();

 private:
  char* m_bytes = nullptr;
  std::size_t m_size = 0;
};

}  // namespace corvella
