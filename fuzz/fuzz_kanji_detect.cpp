// libFuzzer target: the encoding detector against the byte-at-a-time tests.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../tests/text/KanjiReference.h"
#include "text/KanjiDetect.h"

using namespace corvella;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string s(reinterpret_cast<const char*>(data), size);
  const bool ascii = IsPlainAscii(s), jis = HasJisEscape(s), euc = IsEucText(s), utf8 = IsUtf8Text(s),
             sjis = IsSjisText(s);
  if (ascii != reference::RefAscii(s) || euc != reference::RefEuc(s) || utf8 != reference::RefUtf8(s) ||
      sjis != reference::RefSjis(s))
    std::abort();
  const int expected = ascii  ? kDetectAscii
                       : jis  ? kDetectJis
                       : euc  ? kDetectEuc
                       : utf8 ? kDetectUtf8
                       : sjis ? kDetectSjis
                              : kDetectUnknown;
  if (KanjiDetect(s) != expected) std::abort();
  return 0;
}
