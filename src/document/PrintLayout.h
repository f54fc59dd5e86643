// Printing a script: where header, rules, text and footer go on a page, and how the text wraps into rows and pages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

struct PrintRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const PrintRect&, const PrintRect&) = default;
};

struct PageLayout {
  PrintRect body;      // the page shrunk to 85 % of its width and 90 % of its height, centred
  PrintRect header;    // the line just above the body: the document's path
  int headerRule = 0;  // y of the rule a quarter line below the body's top
  PrintRect text;      // where the script's rows go
  int footerRule = 0;  // y of the rule a quarter line above the body's bottom
  PrintRect footer;    // the line just below the body: the page number
};

PageLayout LayoutPage(const PrintRect& page, int lineHeight);

// "- %lu -"
std::string PageFooterText(unsigned long page);

// One printed row: bytes [start, end) of the text, without the line break.
struct PrintRow {
  std::size_t start = 0;
  std::size_t end = 0;
  friend bool operator==(const PrintRow&, const PrintRow&) = default;
};

// Rows of a Shift_JIS text with CR LF line ends wrapped at `columns` cells
// (tabs to the next multiple of `tabWidth`, double-byte characters two
// cells): a row ends after its last blank when it has one, else at the
// last whole character that fits.
std::vector<PrintRow> WrapForPrint(std::string_view text, int columns, int tabWidth);

// The first byte of each page of `rowsPerPage` rows (at least one page).
std::vector<std::size_t> PageStarts(const std::vector<PrintRow>& rows, int rowsPerPage);
// The 1-based page holding `offset`: the number of page starts not after it.
int PageOfOffset(const std::vector<std::size_t>& pageStarts, std::size_t offset);

}  // namespace corvella
