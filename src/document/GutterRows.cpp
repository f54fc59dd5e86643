// Line-number gutter arithmetic: row texts, the line under a point, which rows to repaint, line selections, the mark strip.
#include "document/GutterRows.h"

#include <algorithm>
#include <cstdio>

namespace corvella {
namespace {

// Start of `line`, or the end of the text past the last line.
std::size_t StartOf(const EditBuffer& text, long line) {
  const std::size_t pos = text.LineIndex(static_cast<std::size_t>(line));
  return pos == EditBuffer::npos ? text.GetTextLength() : pos;
}

// Where `line` ends with its line break: the start of the next line.
std::size_t EndOf(const EditBuffer& text, long line) { return StartOf(text, line + 1); }

}  // namespace

std::string GutterNumberText(long line) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%4ld", line + 1);
  return buf;
}

int GutterRowCount(int height, int rowHeight) {
  return std::max(0, height) / std::max(1, rowHeight) + 1;
}

long GutterLineAt(int y, int rowHeight, long firstLine) {
  return y / std::max(1, rowHeight) + firstLine;
}

long GutterClampLine(const EditBuffer& text, long line) {
  const long last = static_cast<long>(text.GetLineCount()) - 1;
  return std::clamp(line, 0L, last);
}

GutterRepaint GutterRepaintFor(long firstVisibleLine, long firstLineAtPaint, long oldLine, long newLine) {
  if (firstVisibleLine != firstLineAtPaint) return {true, 0, 0};
  return {false, oldLine - firstLineAtPaint, newLine - firstLineAtPaint};
}

EditBuffer::Selection GutterClickSelection(const EditBuffer& text, long line) {
  line = GutterClampLine(text, line);
  return {StartOf(text, line), EndOf(text, line)};
}

EditBuffer::Selection GutterDragSelection(const EditBuffer& text, long anchorLine, long line) {
  anchorLine = GutterClampLine(text, anchorLine);
  line = GutterClampLine(text, line);
  if (line < anchorLine) return {EndOf(text, anchorLine), StartOf(text, line)};
  return {StartOf(text, anchorLine), EndOf(text, line)};
}

MarkShape GutterMarkShape(int width, int height) {
  MarkShape shape;
  const double w = std::max(1, width);
  const double h = std::max(1, height);
  const double size = std::max(2.0, std::min(w, h) - 4);
  shape.circle = {(w - size) / 2, (h - size) / 2, size};
  // The arrow spans the circle's box: a tail half its height, the head from
  // the middle to the right edge.
  const double left = shape.circle.left, top = shape.circle.top, right = left + size, bottom = top + size;
  const double mid = (top + bottom) / 2, neck = left + size * 0.45, tail = size / 4;
  shape.arrow[0] = {left, mid - tail};
  shape.arrow[1] = {neck, mid - tail};
  shape.arrow[2] = {neck, top};
  shape.arrow[3] = {right, mid};
  shape.arrow[4] = {neck, bottom};
  shape.arrow[5] = {neck, mid + tail};
  shape.arrow[6] = {left, mid + tail};
  return shape;
}

int GutterMarkStripWidth(int rowHeight) { return std::max(12, rowHeight); }

int GutterNumbersWidth(std::size_t lineCount, int digitWidth, int minimum) {
  int digits = 1;
  for (std::size_t n = std::max<std::size_t>(lineCount, 1); n >= 10; n /= 10) ++digits;
  return std::max(minimum, digits * std::max(1, digitWidth) + 1);
}

}  // namespace corvella
