// libFuzzer target: EUC-JP to Shift_JIS and back against the byte rules.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../tests/text/KanjiReference.h"
#include "text/KanjiConvert.h"

using namespace corvella;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string in(reinterpret_cast<const char*>(data), size);
  // The input, and the input repeated past two of the in-place converter's 4 KB windows.
  const std::string big = [&in] {
    std::string s = in;
    while (!in.empty() && s.size() < 9000) s += in;
    return s;
  }();
  for (const std::string* text : {&in, &big}) {
    std::string s = *text;
    EucToSjis(s);
    if (s != reference::RefEucToSjis(*text) || s.size() > text->size()) std::abort();
  }
  // The input read as Shift_JIS, converted to EUC-JP.
  std::string euc = in;
  SjisToEuc(euc);
  if (euc != reference::RefSjisToEuc(in) || euc.size() > SjisToEucBound(in.size())) std::abort();
  if (reference::IsRoundTripSjis(in)) {
    EucToSjis(euc);
    if (euc != in) std::abort();
  }
  return 0;
}
