// libFuzzer target: UTF-8 to Shift_JIS never stops, stays in bounds, and counts what it changed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/KanjiDetect.h"
#include "text/SjisUtf8.h"

using namespace corvella;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string in(reinterpret_cast<const char*>(data), size);
  const ConvertedText sjis = Utf8ToSjis(in);
  if (sjis.text.size() > Utf8ToSjisBound(in.size()) || sjis.changed > in.size()) std::abort();
  if (sjis.changed == 0) {
    // Nothing replaced or changed: saving gives the file back.
    const ConvertedText back = SjisToUtf8(sjis.text);
    if (back.changed != 0 || back.text != in) std::abort();
  }
  // Whatever the bytes, the save side writes well-formed UTF-8 within its bound.
  const ConvertedText utf8 = SjisToUtf8(in);
  if (!IsUtf8Text(utf8.text) || utf8.text.size() > SjisToUtf8Bound(in.size()) || utf8.changed > in.size())
    std::abort();
  return 0;
}
