// The about box's build line, made from the compiler's __DATE__ and __TIME__ texts.
#include "controls/BuildStamp.h"

#include "res/Strings.h"

namespace corvella {

std::string NormaliseBuildDate(std::string_view date) {
  std::string out;
  out.reserve(date.size());
  bool blank = false;
  for (char c : date) {
    if (c == ' ' || c == '\t') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

std::string FormatBuildStamp(std::string_view date, std::string_view time) {
  // The format holds two "%s"; they are filled in order, and anything the
  // values contain is copied as it is, never read as a format.
  const std::string_view format = str::kAboutBuildFormat;
  const std::string fields[2] = {NormaliseBuildDate(date), std::string(time)};
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (next < 2 && format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
      out += fields[next++];
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

}  // namespace corvella
