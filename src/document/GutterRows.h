// Line-number gutter arithmetic: row texts, the line under a point, which rows to repaint, line selections, the mark strip's shapes.
#pragma once

#include <string>

#include "document/EditBuffer.h"

namespace corvella {

// The number shown for zero-based `line`: line + 1 right-aligned in four
// places; longer numbers keep all their digits.
std::string GutterNumberText(long line);

// Rows drawn in a gutter `height` pixels high: one more than fit whole, so
// that a partly visible last row is numbered too.
int GutterRowCount(int height, int rowHeight);

// The line under gutter y (integer division, as the rows are laid out from
// the top) for rows starting at `firstLine`. Not limited to the text.
long GutterLineAt(int y, int rowHeight, long firstLine);

// `line` limited to the lines of `text`.
long GutterClampLine(const EditBuffer& text, long line);

// What moving the highlight from `oldLine` to `newLine` must repaint. Rows
// count from the first line of the last paint and may lie outside the gutter.
struct GutterRepaint {
  bool all = false;
  long oldRow = 0;
  long newRow = 0;
};
GutterRepaint GutterRepaintFor(long firstVisibleLine, long firstLineAtPaint, long oldLine, long newLine);

// A click on `line` (limited to the text) selects the whole line, line break
// included: from its start to the start of the next line, or to the end of
// the text on the last line.
EditBuffer::Selection GutterClickSelection(const EditBuffer& text, long line);

// A drag from `anchorLine` onto `line` selects every line between them. Above
// the anchor the selection runs from the end of the anchor line back to the
// start of `line` (caret at the upper end); otherwise from the start of the
// anchor line to the end of `line` (caret at the lower end).
EditBuffer::Selection GutterDragSelection(const EditBuffer& text, long anchorLine, long line);

// The marks drawn in a strip cell `width` x `height` pixels (cell
// coordinates): a breakpoint's circle, centred, and the execution line's
// right-pointing arrow over it (tail rectangle and head triangle, seven
// points), both inset from the cell's edges.
struct MarkShape {
  struct Circle {
    double left = 0, top = 0, size = 0;
  } circle;
  struct Point {
    double x = 0, y = 0;
  };
  Point arrow[7];
};
MarkShape GutterMarkShape(int width, int height);

// The width of the mark strip for rows `rowHeight` pixels high: one row,
// at least 12 pixels.
int GutterMarkStripWidth(int rowHeight);

// The numbers' width for a text of `lineCount` lines: never below `minimum`,
// and wide enough for every digit of the last line's number (`digitWidth`
// pixels each, and one more) so that no number is cut.
int GutterNumbersWidth(std::size_t lineCount, int digitWidth, int minimum);

}  // namespace corvella
