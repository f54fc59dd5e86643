// Shift_JIS character boundaries over contiguous text.
#include "document/SjisChar.h"

#include <algorithm>

namespace corvella {
namespace {

struct ViewBytes {
  std::string_view text;
  unsigned char operator()(std::size_t i) const { return static_cast<unsigned char>(text[i]); }
};

}  // namespace

std::size_t SjisCharEnd(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  ViewBytes at{text};
  return SjisCharEnd(at, pos, text.size());
}

std::size_t SjisCharStart(std::string_view text, std::size_t pos) {
  ViewBytes at{text};
  return SjisCharStart(at, 0, text.size(), std::min(pos, text.size()));
}

}  // namespace corvella
