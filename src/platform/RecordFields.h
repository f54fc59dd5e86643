// The "name value" lines of the program's own state records: names in hex, numbers in decimal, read strictly in a fixed order.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace corvella {

// Names may hold any byte, line ends included: they are stored in hex.
std::string Hex(std::string_view bytes);
std::optional<std::string> Unhex(std::string_view hex);

template <class Number>
std::optional<Number> ToNumber(std::string_view text, int base = 10) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// Reads "name value\n" lines off the front of a record, each name in the
// order the record's format fixes; the first line out of place ends it.
class RecordFieldReader {
 public:
  explicit RecordFieldReader(std::string_view bytes) : m_rest(bytes) {}
  std::optional<std::string_view> Field(std::string_view name);
  std::string_view Rest() const { return m_rest; }

 private:
  std::string_view m_rest;
};

}  // namespace corvella
