// What a child prints, turned into the output pane's text as it arrives: Shift_JIS with CR LF.
#pragma once

#include <string>
#include <string_view>

namespace corvella {

// One decoder per stream. Output that is valid UTF-8 (the Linux console's
// encoding) is converted to Shift_JIS; anything else is taken as Shift_JIS
// already. A lone LF becomes CR LF. A character split between two reads is
// held back until it is whole, so the result never depends on how the bytes
// were cut into reads. NUL bytes pass through.
class RunOutputDecoder {
 public:
  // The pane text for `bytes`, given everything fed before.
  std::string Feed(std::string_view bytes);
  // What is still held back (an incomplete character at the very end).
  std::string Finish();
  // The same, appended to `out`: a run decodes into one string it keeps.
  void Feed(std::string_view bytes, std::string& out);
  void Finish(std::string& out);

 private:
  void Convert(std::string_view bytes, bool final, std::string& out);
  void Newlines(std::string_view text, std::string& out);

  std::string m_pending;
  bool m_lastWasCr = false;
};

}  // namespace corvella
