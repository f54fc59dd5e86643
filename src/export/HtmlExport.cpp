// HTML export of a script: the page colours kept in the Settings, the proposed file name and the page itself.
#include "export/HtmlExport.h"

#include <algorithm>

#include "base/Profile.h"
#include "export/HtmlScanner.h"
#include "text/Newlines.h"

namespace corvella {
namespace {

constexpr const char* kKeys[5] = {"HTML_KWD", "HTML_COM", "HTML_STR", "HTML_REG", "HTML_SUB"};

// The title is a file name, which on this system may hold "<" or "&": it is
// escaped like the text, so that it can neither break nor add markup.
void AppendEscaped(std::string& out, std::string_view s) {
  for (const char c : s) {
    switch (c) {
      case '"': out += "&quot;"; break;
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\n': out += "\r\n"; break;
      default: out += c; break;
    }
  }
}

}  // namespace

std::string FormatHtmlColor(ColorRef colour) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string s = "#";
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned byte = (colour >> shift) & 0xFF;
    s += kHex[byte >> 4];
    s += kHex[byte & 0xF];
  }
  return s;
}

HtmlColours LoadHtmlColours(const Profile& profile, ColorRef keyword, ColorRef comment, ColorRef string) {
  HtmlColours c;
  c.keyword = profile.GetProfileString(kSettingsSection, kKeys[0], FormatHtmlColor(keyword));
  c.comment = profile.GetProfileString(kSettingsSection, kKeys[1], FormatHtmlColor(comment));
  c.string = profile.GetProfileString(kSettingsSection, kKeys[2], FormatHtmlColor(string));
  c.pattern = profile.GetProfileString(kSettingsSection, kKeys[3], "fuchsia");
  c.subCall = profile.GetProfileString(kSettingsSection, kKeys[4], "red");
  return c;
}

void SaveHtmlColours(Profile& profile, const HtmlColours& colours) {
  profile.WriteProfileString(kSettingsSection, kKeys[0], colours.keyword);
  profile.WriteProfileString(kSettingsSection, kKeys[1], colours.comment);
  profile.WriteProfileString(kSettingsSection, kKeys[2], colours.string);
  profile.WriteProfileString(kSettingsSection, kKeys[3], colours.pattern);
  profile.WriteProfileString(kSettingsSection, kKeys[4], colours.subCall);
}

std::string HtmlExportFileName(std::string_view title) {
  std::string name(title);
  name += ".html";
  return name;
}

std::string BuildHtmlPage(std::string_view text, const HtmlColours& colours, int tabWidth,
                          std::string_view title) {
  // The scanner reads every CR LF pair as a single line feed.
  std::string lfText(text);
  ReplaceCrLf(lfText, kNewlineLf);
  std::string page;
  // Tags and tab expansion add a fraction; one reserve keeps the pass free of reallocation in the common case.
  page.reserve(lfText.size() + lfText.size() / 2 + 512);
  page += "<html>\r\n<head>\r\n";
  page += "<meta http-equiv=\"Content-Type\" content=\"text/html;charset=Shift_JIS\">\r\n";
  page += "<meta name=\"GENERATOR\" content=\"Corvella\">\r\n";
  page += "<title>";
  AppendEscaped(page, title);
  page += "</title>\r\n";
  page += "</head>\r\n<body>\r\n<pre>";
  HtmlScanner scanner(colours, std::clamp(tabWidth, 1, 32));
  scanner.Run(lfText, page);
  page += "</pre>\r\n</body>\r\n</html>";
  return page;
}

}  // namespace corvella
