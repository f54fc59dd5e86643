// Printing a script: where header, rules, text and footer go on a page, and how the text wraps into rows and pages.
#include "document/PrintLayout.h"

#include <algorithm>
#include <cstdio>

#include "document/SjisChar.h"

namespace corvella {

PageLayout LayoutPage(const PrintRect& page, int lineHeight) {
  PageLayout l;
  const int w = page.Width();
  const int h = page.Height();
  const int mx = (w - w * 85 / 100) / 2;
  const int my = (h - h * 90 / 100) / 2;
  l.body = {page.left + mx, page.top + my, page.right - mx, page.bottom - my};
  const int q = lineHeight / 4;
  l.header = {l.body.left, l.body.top - lineHeight, l.body.right, l.body.top};
  l.headerRule = l.body.top + q;
  l.text = {l.body.left, l.body.top + lineHeight + 2 * q, l.body.right, l.body.bottom - (lineHeight + 2 * q)};
  l.footerRule = l.body.bottom - q;
  l.footer = {l.body.left, l.body.bottom, l.body.right, l.body.bottom + lineHeight};
  return l;
}

std::string PageFooterText(unsigned long page) {
  char text[32];
  std::snprintf(text, sizeof text, "- %lu -", page);
  return text;
}

std::vector<PrintRow> WrapForPrint(std::string_view text, int columns, int tabWidth) {
  columns = std::max(columns, 2);  // room for one double-byte character
  tabWidth = std::max(tabWidth, 1);
  std::vector<PrintRow> rows;
  std::size_t lineStart = 0;
  for (;;) {
    std::size_t lineEnd = text.find("\r\n", lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    std::size_t rowStart = 0;
    do {
      int cell = 0;
      std::size_t i = rowStart;
      std::size_t afterBlank = std::string_view::npos;
      while (i < line.size()) {
        const std::size_t next = SjisCharEnd(line, i);
        const int width = line[i] == '\t' ? tabWidth - cell % tabWidth : static_cast<int>(next - i);
        if (cell + width > columns && i > rowStart) break;
        cell += width;
        if (line[i] == ' ' || line[i] == '\t') afterBlank = next;
        i = next;
      }
      if (i < line.size() && afterBlank != std::string_view::npos && afterBlank > rowStart) i = afterBlank;
      rows.push_back({lineStart + rowStart, lineStart + i});
      rowStart = i;
    } while (rowStart < line.size());
    if (lineEnd == text.size()) break;
    lineStart = lineEnd + 2;
  }
  return rows;
}

std::vector<std::size_t> PageStarts(const std::vector<PrintRow>& rows, int rowsPerPage) {
  rowsPerPage = std::max(rowsPerPage, 1);
  std::vector<std::size_t> starts;
  for (std::size_t r = 0; r < rows.size(); r += static_cast<std::size_t>(rowsPerPage)) starts.push_back(rows[r].start);
  if (starts.empty()) starts.push_back(0);
  return starts;
}

int PageOfOffset(const std::vector<std::size_t>& pageStarts, std::size_t offset) {
  const auto after = std::upper_bound(pageStarts.begin(), pageStarts.end(), offset);
  return std::max(1, static_cast<int>(after - pageStarts.begin()));
}

}  // namespace corvella
