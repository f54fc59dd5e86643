// HTML export of a script: the page colours kept in the Settings, the proposed file name and the page itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/Settings.h"

namespace corvella {

class Profile;

// The five colour texts, written verbatim into the `color` attributes: a
// name such as "fuchsia" or a form such as "#0000ff".
struct HtmlColours {
  std::string keyword;  // HTML_KWD: keywords, names of quote-like operators
  std::string comment;  // HTML_COM
  std::string string;   // HTML_STR: string literals, here-document words and bodies
  std::string pattern;  // HTML_REG: /.../ and the bodies of m q qq qx s y tr
  std::string subCall;  // HTML_SUB: &name
  bool operator==(const HtmlColours&) const = default;
};

// The colour dialog accepts at most this many bytes per colour.
inline constexpr std::size_t kHtmlColourMaxBytes = 32;

// "#rrggbb" in lower case, from a 00BBGGRR colour.
std::string FormatHtmlColor(ColorRef colour);

// Reads HTML_KWD, HTML_COM, HTML_STR, HTML_REG and HTML_SUB, in that order,
// from section "Settings". Missing values: the view's keyword, comment and
// string colours in FormatHtmlColor's form, then "fuchsia" and "red".
HtmlColours LoadHtmlColours(const Profile& profile, ColorRef keyword, ColorRef comment, ColorRef string);
// Writes the five values in the same order; done only after a page was saved.
void SaveHtmlColours(Profile& profile, const HtmlColours& colours);

// The name the save dialog proposes: "hello.pl" gives "hello.pl.html".
std::string HtmlExportFileName(std::string_view title);

// The whole page, as the bytes of the file: `text` is the editor's Shift_JIS
// text (CR LF line ends; NUL bytes are ordinary), `title` the document's
// title and the colours already in code page 932 (ASCII colour texts need no
// conversion). Line ends are CR LF and the last line ("</html>") has none.
// `tabWidth` is used in the range 1 to 32.
std::string BuildHtmlPage(std::string_view text, const HtmlColours& colours, int tabWidth,
                          std::string_view title);

}  // namespace corvella
