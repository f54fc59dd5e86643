// libFuzzer target: the HTML export over arbitrary text; the page must give the text back without its tags.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "export/HtmlExport.h"

using namespace corvella;

namespace {

// The text as the page shows it: CR LF pairs read as one line feed, line
// feeds written as CR LF, tabs expanded to the next stop.
std::string Shown(std::string_view text, int tabWidth) {
  std::string out;
  int column = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (c == '\t') {
      out.append(static_cast<std::size_t>(tabWidth - column % tabWidth), ' ');
      column = 0;
    } else if (c == '\n') {
      out += "\r\n";
      column = 0;
    } else {
      out += c;
      ++column;
    }
  }
  return out;
}

// The page body without tags, entities turned back into their bytes.
bool Plain(std::string_view body, std::string& out) {
  for (std::size_t i = 0; i < body.size();) {
    if (body[i] == '<') {
      const std::size_t close = body.find('>', i);
      if (close == std::string_view::npos) return false;
      i = close + 1;
    } else if (body[i] == '&') {
      static constexpr std::pair<std::string_view, char> kEntities[] = {
          {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
      bool known = false;
      for (const auto& [entity, c] : kEntities) {
        if (body.substr(i, entity.size()) == entity) {
          out += c;
          i += entity.size();
          known = true;
          break;
        }
      }
      if (!known) return false;
    } else {
      out += body[i++];
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int tabWidth = 1 + data[0] % 8;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const HtmlColours colours{"blue", "green", "teal", "fuchsia", "red"};
  const std::string page = BuildHtmlPage(text, colours, tabWidth, "t");
  static constexpr std::string_view kOpen = "<pre>", kClose = "</pre>\r\n</body>\r\n</html>";
  const std::size_t from = page.find(kOpen) + kOpen.size();
  if (page.size() < from + kClose.size() || page.substr(page.size() - kClose.size()) != kClose) __builtin_trap();
  std::string plain;
  if (!Plain(std::string_view(page).substr(from, page.size() - kClose.size() - from), plain)) __builtin_trap();
  if (plain != Shown(text, tabWidth)) __builtin_trap();
  return 0;
}
