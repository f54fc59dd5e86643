// Fuzzes the form data of the CGI call: the stored form read back from the settings, and the form encoding of names and values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "run/CgiForm.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // Whatever the settings file holds reads back without growing, and every
  // text survives its own stored form.
  if (corvella::LoadFormText(text).size() > size) std::abort();
  if (corvella::LoadFormText(corvella::StoreFormText(text)) != text) std::abort();

  // The encoding is plain ASCII that decodes back to the bytes.
  const std::string encoded = corvella::EncodeFormText(text);
  std::string decoded;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    const char c = encoded[i];
    if (c == '&' || c == '=' || c == ' ' || static_cast<unsigned char>(c) >= 0x80) std::abort();
    if (c == '+') {
      decoded += ' ';
    } else if (c == '%') {
      if (i + 2 >= encoded.size()) std::abort();
      const int hi = HexValue(encoded[i + 1]), lo = HexValue(encoded[i + 2]);
      if (hi < 0 || lo < 0) std::abort();
      decoded += static_cast<char>(hi * 16 + lo);
      i += 2;
    } else {
      decoded += c;
    }
  }
  if (decoded != text) std::abort();
  return 0;
}
