// Bytes in one malloc'd allocation that can grow where it lies.
#include "text/ByteBuffer.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace corvella {

ByteBuffer::ByteBuffer(std::string_view bytes) {
  if (!Resize(bytes.size())) throw std::bad_alloc();
  if (!bytes.empty()) std::memcpy(m_bytes, bytes.data(), bytes.size());
}

ByteBuffer ByteBuffer::Adopt(char* bytes, std::size_t size) {
  ByteBuffer buffer;
  buffer.m_bytes = bytes;
  buffer.m_size = bytes ? size : 0;
  return buffer;
}

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : m_bytes(std::exchange(other.m_bytes, nullptr)), m_size(std::exchange(other.m_size, 0)) {}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
  if (this != &other) {
    std::free(m_bytes);
    m_bytes = std::exchange(other.m_bytes, nullptr);
    m_size = std::exchange(other.m_size, 0);
  }
  return *this;
}

ByteBuffer::~ByteBuffer() { std::free(m_bytes); }

bool ByteBuffer::Resize(std::size_t size) {
  if (size == m_size) return true;
  if (size == 0) {
    std::free(std::exchange(m_bytes, nullptr));
    m_size = 0;
    return true;
  }
  // glibc moves the pages of a large block instead of copying them.
  void* grown = std::realloc(m_bytes, size);
  if (!grown) return false;
  m_bytes = static_cast<char*>(grown);
  m_size = size;
  return true;
}

char* ByteBuffer::Release() {
  m_size = 0;
  return std::exchange(m_bytes, nullptr);
}

}  // namespace corvella
