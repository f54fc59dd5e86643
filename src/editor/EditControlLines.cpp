// The edit control's lines: cells and columns, and painting, each working on the part of a long line in sight.
#include <algorithm>
#include <climits>
#include <cmath>

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include "document/SjisChar.h"
#include "editor/Cp932Text.h"
#include "editor/EditControl.h"

namespace corvella {

EditControl::LinePart EditControl::ReadLinePart(std::size_t line, int fromCell, int toCell, std::string& bytes) const {
  const std::size_t start = Buf().LineIndex(line);
  const std::size_t length = Buf().LineLength(line);
  if (length < LineCellIndex::kLongLine) {
    bytes = Buf().GetText(start, start + length);
    return {};
  }
  const LineCellIndex::Point p = m_cells.AtCell(Buf(), layout_, line, fromCell);
  // No character takes fewer cells than bytes, so this many bytes reach `toCell`.
  const std::size_t end = std::min<std::size_t>(length, p.offset + std::max(0, toCell - p.cell) + 2);
  bytes = Buf().GetText(start + p.offset, start + end);
  return {p.offset, p.cell};
}

int EditControl::ColumnOf(std::size_t line, std::size_t pos) const {
  const std::size_t start = Buf().LineIndex(line);
  if (start == EditBuffer::npos) return 0;
  const std::size_t offset = pos - std::min(pos, start);
  const std::size_t length = Buf().LineLength(line);
  if (length < LineCellIndex::kLongLine) return layout_.CellOf(Buf().GetLine(line), offset);
  const LineCellIndex::Point p = m_cells.AtOffset(Buf(), layout_, line, offset);
  // One byte more: the boundary after an offset inside a double-byte character.
  const std::string bytes = Buf().GetText(start + p.offset, start + std::min(length, offset + 1));
  return layout_.CellOf(bytes, offset - p.offset, p.cell);
}

std::size_t EditControl::PosAtColumn(std::size_t line, qreal column) const {
  const std::size_t start = Buf().LineIndex(line);
  if (start == EditBuffer::npos) return Buf().GetTextLength();
  const int cell = static_cast<int>(std::clamp<qreal>(std::floor(column), 0, INT_MAX / 2));
  std::string bytes;
  const LinePart part = ReadLinePart(line, cell, cell + 4, bytes);
  return start + part.offset + layout_.OffsetAt(bytes, column, part.cell);
}

void EditControl::PrefixRuns(std::size_t line, std::size_t offset, std::size_t size) {
  const std::size_t lineStart = Buf().LineIndex(line);
  const std::size_t length = Buf().LineLength(line);
  if (length < LineCellIndex::kLongLine) {
    LineRuns(line, m_partBytes, runs_);
    return;
  }
  runs_.clear();
  if (offset >= kColouredPrefix) return;  // past the coloured part: plain text
  if (m_prefixLine != line) {
    const std::string prefix = Buf().GetText(lineStart, lineStart + std::min(length, kColouredPrefix));
    LineRuns(line, prefix, m_prefixRuns);
    m_prefixLine = line;
  }
  // The runs of the part, in its own offsets.
  const std::size_t end = offset + size;
  for (TextRun run : m_prefixRuns) {
    if (run.start + run.length <= offset || run.start >= end) continue;
    if (run.cls == LexClass::kMark && run.start < offset) continue;
    const std::size_t from = std::max(run.start, offset);
    run.length = std::min(run.start + run.length, end) - from;
    run.start = from - offset;
    runs_.push_back(run);
  }
}

void EditControl::ForgetRuns() {
  m_prefixLine = EditBuffer::npos;
  m_prefixRuns.clear();
}

void EditControl::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), back_);
  painter.setFont(font_);
  const QRect fr = FormattingRect();
  const QRect clip = fr.intersected(event->rect());
  painter.setClipRect(clip);
  const int first = FirstVisibleLine();
  const int rows = viewport()->height() / lineHeight_ + 1;
  const int lines = static_cast<int>(std::min<std::size_t>(Buf().GetLineCount(), INT32_MAX));
  const int last = std::min(lines - 1, first + rows - 1);
  // The debugger's execution line, behind its text and the selection.
  const std::vector<std::size_t>& execution = doc_->ExecutionMark().Lines();
  for (int line = first; line <= last; ++line) {
    const int y = fr.top() + (line - first) * lineHeight_;
    if (y + lineHeight_ < event->rect().top() || y > event->rect().bottom()) continue;
    if (std::find(execution.begin(), execution.end(), static_cast<std::size_t>(line)) != execution.end()) {
      painter.fillRect(QRect(fr.left(), y, fr.width(), lineHeight_), kExecutionLineBack);
    }
    PaintLine(painter, static_cast<std::size_t>(line), y, clip);
  }
  if (hasFocus() && (caretOn_ || !preedit_.isEmpty())) {
    const QRect caret = CaretRect();
    if (caret.intersects(fr)) painter.fillRect(caret, text_);
  }
  painter.end();
  AfterPaint(first, last);
}

void EditControl::DrawVisibleText(QPainter& painter, std::string_view piece, qreal left, int y, const QRect& clip) {
  // A piece holds no tab, so each byte is a cell: what is out of the clip
  // is cut off by bytes, at character boundaries, before it is shaped.
  const auto cellAt = [&](qreal x) { return std::clamp<qreal>(std::floor((x - left) / cellWidth_), 0, piece.size()); };
  const std::size_t from = SjisCharStart(piece, static_cast<std::size_t>(cellAt(clip.left() - cellWidth_ * 2)));
  std::size_t to = static_cast<std::size_t>(cellAt(clip.right() + cellWidth_ * 2));
  if (to < piece.size()) to = SjisCharEnd(piece, SjisCharStart(piece, to));
  if (to <= from) return;
  painter.drawText(QPointF(left + from * cellWidth_, y + ascent_), SjisToQString(piece.substr(from, to - from)));
}

void EditControl::PaintLine(QPainter& painter, std::size_t line, int y, const QRect& clip) {
  const std::size_t lineStart = Buf().LineIndex(line);
  const std::size_t lineLength = Buf().LineLength(line);
  const EditBuffer::Selection sel = Sel();
  const QRect fr = FormattingRect();
  const qreal x0 = fr.left() - horizontalScrollBar()->value();
  const qreal visibleRight = clip.right() + cellWidth_ * 2;
  const bool composing = !preedit_.isEmpty() && Buf().LineFromChar(sel.caret) == line;

  // Only the cells in the clip are laid out; the pre-edit's gap moves what
  // follows it, so the part starts at the gap at the latest.
  int fromCell = static_cast<int>(std::floor((clip.left() - x0) / cellWidth_)) - 1;
  if (composing) fromCell = std::min(fromCell, ColumnOf(line, PreeditPos()));
  const int stopCell = static_cast<int>(std::floor((visibleRight - x0) / cellWidth_));
  const LinePart part = ReadLinePart(line, fromCell, stopCell + 2, m_partBytes);
  const std::string_view bytes = m_partBytes;
  const std::size_t partStart = lineStart + part.offset;
  const auto local = [&](std::size_t pos) { return std::clamp(pos, partStart, partStart + bytes.size()) - partStart; };
  const std::size_t selStart = local(sel.Start());
  const std::size_t selEnd = local(sel.End());
  PrefixRuns(line, part.offset, bytes.size());

  const std::size_t gapAt = composing ? PreeditPos() - partStart : std::string_view::npos;
  const int gapCells = composing ? PreeditCells(static_cast<int>(preedit_.size())) : 0;
  // The selection's part of this line is hidden: the result will replace it.
  const std::size_t hidden = composing && !sel.IsEmpty() ? selEnd - gapAt : 0;
  const int cells =
      layout_.LayOut(bytes, runs_, selStart, selEnd, stopCell, pieces_, gapAt, gapCells, hidden, part.cell);

  const QColor highlight = palette().color(QPalette::Highlight);
  const QColor highlightText = palette().color(QPalette::HighlightedText);
  for (const TextRun& p : pieces_) {
    const qreal left = x0 + p.cell * cellWidth_;
    if (p.cls == LexClass::kMark) {
      if (p.selected) continue;  // selected text keeps its highlight
      painter.setPen(ColorOf(p.cls));
      painter.drawText(QPointF(left, y + ascent_), SjisToQString("\x81\x51"));  // "＿"
      continue;
    }
    const qreal right = left + p.cells * cellWidth_;
    if (right < clip.left() - cellWidth_ || left > visibleRight) continue;
    if (p.selected) painter.fillRect(QRectF(left, y, right - left, lineHeight_), highlight);
    const unsigned char first = static_cast<unsigned char>(bytes[p.start]);
    if (first == '\t') continue;  // nothing to draw but the selection
    painter.setPen(p.selected ? highlightText : ColorOf(p.cls));
    if (LineLayout::IsControlByte(first)) {
      for (int c = p.cell; c < p.cell + p.cells; ++c) {
        painter.drawRect(QRectF(x0 + c * cellWidth_ + 1.5, y + lineHeight_ * 0.25 + 0.5, cellWidth_ - 3,
                                lineHeight_ * 0.5));
      }
    } else {
      DrawVisibleText(painter, bytes.substr(p.start, p.length), left, y, clip);
    }
  }
  // A long line's whole width is known from its checkpoints, once laid out.
  const int width = lineLength < LineCellIndex::kLongLine ? cells : m_cells.Width(Buf(), layout_, line);
  WidenTo(static_cast<int>(width * cellWidth_));

  // A selection that runs over the line break shows one cell after the line.
  const bool toLineEnd = part.offset + bytes.size() == lineLength;
  if (toLineEnd && sel.Start() <= lineStart + lineLength && sel.End() > lineStart + lineLength) {
    painter.fillRect(QRectF(x0 + cells * cellWidth_, y, cellWidth_, lineHeight_), highlight);
  }

  if (composing) PaintPreedit(painter, x0 + layout_.CellOf(bytes, gapAt, part.cell) * cellWidth_, y);
}

}  // namespace corvella
