// libFuzzer target: JIS to Shift_JIS (both vector paths) against the byte rules, and the way back.
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
    const std::string expected = reference::RefJisToSjis(*text);
    for (bool avx2 : {true, false}) {
      UseAvx2ForKanjiConvert(avx2);
      std::string s = *text;
      JisToSjis(s);
      if (s != expected || s.size() > text->size()) std::abort();
    }
  }
  // Shift_JIS -> JIS -> Shift_JIS gives the text back.
  if (reference::IsRoundTripSjis(in)) {
    std::string s = in;
    SjisToJis(s);
    if (s != reference::RefSjisToJis(in) || s.size() > SjisToJisBound(in.size())) std::abort();
    JisToSjis(s);
    if (s != in) std::abort();
  }
  return 0;
}
