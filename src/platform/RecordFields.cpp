// The "name value" lines of the program's own state records.
#include "platform/RecordFields.h"

namespace corvella {

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

std::optional<std::string> Unhex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const auto value = ToNumber<unsigned>(hex.substr(i, 2), 16);
    if (!value || hex[i] == '+' || hex[i] == '-') return std::nullopt;
    out += static_cast<char>(*value);
  }
  return out;
}

std::optional<std::string_view> RecordFieldReader::Field(std::string_view name) {
  const std::size_t lf = m_rest.find('\n');
  if (lf == std::string_view::npos || lf < name.size() + 1 || m_rest.substr(0, name.size()) != name ||
      m_rest[name.size()] != ' ') {
    return std::nullopt;
  }
  const std::string_view value = m_rest.substr(name.size() + 1, lf - name.size() - 1);
  m_rest.remove_prefix(lf + 1);
  return value;
}

}  // namespace corvella
