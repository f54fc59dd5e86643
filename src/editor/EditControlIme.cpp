// The edit control's side of the input method: the pre-edit, what the input method is told and what it asks.
#include <algorithm>

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QPainter>
#include <QTextCharFormat>

#include "editor/Cp932Text.h"
#include "editor/EditControl.h"
#include "document/SjisChar.h"
#include "text/Newlines.h"

namespace corvella {
namespace {

// UTF-16 units of a line's bytes up to `offset` (a character boundary).
int UnitsBefore(std::string_view line, std::size_t offset) {
  return static_cast<int>(SjisToQString(line.substr(0, std::min(offset, line.size()))).size());
}

// The character boundary in `line` at or after `units` UTF-16 units.
std::size_t OffsetOfUnits(std::string_view line, int units) {
  std::size_t i = 0;
  for (int done = 0; i < line.size() && done < units;) {
    const std::size_t next = SjisCharEnd(line, i);
    done += static_cast<int>(SjisToQString(line.substr(i, next - i)).size());
    i = next;
  }
  return i;
}

}  // namespace

EditControl::Surrounding EditControl::SurroundingText() const {
  const std::size_t caret = Sel().caret;
  const std::size_t line = Buf().LineFromChar(caret);
  const std::size_t start = Buf().LineIndex(line);
  const std::size_t end = Buf().LineEnd(line);
  if (end - start < LineCellIndex::kLongLine) return {start, end};
  // The input method asks after every key: never the whole of a long line.
  const std::size_t reach = LineCellIndex::kLongLine / 2;
  return {Buf().CharStart(std::max(start, caret - std::min(caret, reach))), Buf().CharStart(std::min(end, caret + reach))};
}

void EditControl::ReportCaret() {
  // The text and selection too: ibus reads them only when told, and mozc
  // reconverts the selection it was last told of.
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
}

int EditControl::PreeditCells(int units) const {
  int cells = 0;
  const int stop = std::min(units, static_cast<int>(preedit_.size()));
  for (int i = 0; i < stop; ++i) {
    char32_t ch = preedit_[i].unicode();
    if (QChar::isHighSurrogate(ch) && i + 1 < preedit_.size() && preedit_[i + 1].isLowSurrogate()) {
      ch = QChar::surrogateToUcs4(preedit_[i], preedit_[i + 1]);
      ++i;
    }
    cells += LineLayout::CellsOfChar(ch);
  }
  return cells;
}

void EditControl::PaintPreedit(QPainter& painter, qreal left, int y) {
  // Each character in its cells, as it will stand once it is text, in the
  // format of its segment (the one being converted is usually highlighted);
  // without segments the whole pre-edit is underlined.
  for (int i = 0, cells = 0; i < preedit_.size();) {
    const int next = i + 1 < preedit_.size() && preedit_[i].isHighSurrogate() ? i + 2 : i + 1;
    const int nextCells = PreeditCells(next);
    QTextCharFormat format;
    for (const PreeditFormat& f : preeditFormats_) {
      if (i >= f.start && i < f.start + f.length) format.merge(f.format);
    }
    const QRectF cell(left + cells * cellWidth_, y, (nextCells - cells) * cellWidth_, lineHeight_);
    if (format.hasProperty(QTextFormat::BackgroundBrush)) painter.fillRect(cell, format.background());
    const QColor ink = format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : text_;
    painter.setPen(ink);
    painter.drawText(QPointF(cell.left(), y + ascent_), preedit_.mid(i, next - i));
    if (preeditFormats_.empty() || format.fontUnderline() || format.underlineStyle() != QTextCharFormat::NoUnderline) {
      painter.setPen(format.hasProperty(QTextFormat::TextUnderlineColor) ? format.underlineColor() : ink);
      painter.drawLine(QPointF(cell.left(), y + lineHeight_ - 1.5), QPointF(cell.right(), y + lineHeight_ - 1.5));
    }
    cells = nextCells;
    i = next;
  }
}

void EditControl::CommitPreedit() {
  if (preedit_.isEmpty()) return;
  QGuiApplication::inputMethod()->commit();
  if (preedit_.isEmpty()) return;  // the input method delivered it
  // It did not (or there is none to ask): the pre-edit as shown is the result.
  QInputMethodEvent result;
  result.setCommitString(preedit_);
  inputMethodEvent(&result);
  QGuiApplication::inputMethod()->reset();
}

void EditControl::inputMethodEvent(QInputMethodEvent* event) {
  if (IsReadOnly()) {
    event->ignore();
    return;
  }
  preedit_ = event->preeditString();
  preeditFormats_.clear();
  preeditCursor_ = preedit_.size();
  for (const QInputMethodEvent::Attribute& a : event->attributes()) {
    if (a.type == QInputMethodEvent::Cursor) preeditCursor_ = std::clamp(a.start, 0, static_cast<int>(preedit_.size()));
    if (a.type == QInputMethodEvent::TextFormat && a.length > 0) {
      preeditFormats_.push_back({a.start, a.length, a.value.value<QTextFormat>().toCharFormat()});
    }
  }
  const QString commit = event->commitString();
  if (event->replacementStart() != 0 || event->replacementLength() != 0) {
    // Text around the caret the input method takes back (reconversion):
    // selected, so that the result replaces it, or deleted when none comes.
    const std::size_t caret = Sel().caret;
    const Surrounding around = SurroundingText();
    const std::size_t textStart = around.start;
    const std::string bytes = Buf().GetText(around.start, around.end);
    const int from = std::max(0, UnitsBefore(bytes, caret - textStart) + event->replacementStart());
    const std::size_t start = textStart + OffsetOfUnits(bytes, from);
    const std::size_t end = textStart + OffsetOfUnits(bytes, from + std::max(0, event->replacementLength()));
    Own().SetSel(start, end);
    if (commit.isEmpty() && preedit_.isEmpty() && end > start) CharMessage("\x08");
  }
  if (!commit.isEmpty()) {
    std::string bytes;
    for (const char32_t ch : commit.toUcs4()) {
      if (const auto one = CharToSjis(ch)) bytes += *one;
      else QApplication::beep();
    }
    if (!bytes.empty()) ImeResult(NormalizeNewlines(bytes));
  }
  if (!preedit_.isEmpty()) ScrollCaret();
  viewport()->update();
  ReportCaret();
  event->accept();
}

QVariant EditControl::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled:
      return !IsReadOnly();
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle:
      return QRectF(CaretRect().translated(viewport()->pos()));
    case Qt::ImFont:
      return font_;
    case Qt::ImSurroundingText: {
      const Surrounding around = SurroundingText();
      return SjisToQString(Buf().GetText(around.start, around.end));
    }
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
      // In the surrounding text; an anchor beyond it at its end towards it.
      const EditBuffer::Selection sel = Sel();
      const Surrounding around = SurroundingText();
      const std::size_t textStart = around.start;
      const std::string bytes = Buf().GetText(around.start, around.end);
      const std::size_t pos = query == Qt::ImCursorPosition ? sel.caret : sel.anchor;
      return UnitsBefore(bytes, std::clamp(pos, textStart, textStart + bytes.size()) - textStart);
    }
    case Qt::ImCurrentSelection:
      return SjisToQString(SelText());
    case Qt::ImHints:
      return static_cast<int>(Qt::ImhMultiLine);
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

}  // namespace corvella
