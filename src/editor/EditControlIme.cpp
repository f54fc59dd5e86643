// The edit control's side of the input method: the pre-edit, what the input method is told and what it asks.
#include <algorithm>

#include <QApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QPainter>

#include "editor/Cp932Text.h"
#include "editor/EditControl.h"
#include "text/Newlines.h"

namespace corvella {

void EditControl::ReportCaret() {
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImAnchorRectangle);
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
  // Each character in its cells, as it will stand once it is text.
  painter.setPen(text_);
  for (int i = 0, cells = 0; i < preedit_.size();) {
    const int next = i + 1 < preedit_.size() && preedit_[i].isHighSurrogate() ? i + 2 : i + 1;
    painter.drawText(QPointF(left + cells * cellWidth_, y + ascent_), preedit_.mid(i, next - i));
    cells = PreeditCells(next);
    i = next;
  }
  const qreal right = left + PreeditCells(static_cast<int>(preedit_.size())) * cellWidth_;
  painter.drawLine(QPointF(left, y + lineHeight_ - 1.5), QPointF(right, y + lineHeight_ - 1.5));
}

void EditControl::inputMethodEvent(QInputMethodEvent* event) {
  if (IsReadOnly()) {
    event->ignore();
    return;
  }
  preedit_ = event->preeditString();
  preeditCursor_ = preedit_.size();
  for (const QInputMethodEvent::Attribute& a : event->attributes()) {
    if (a.type == QInputMethodEvent::Cursor) preeditCursor_ = std::clamp(a.start, 0, static_cast<int>(preedit_.size()));
  }
  const QString commit = event->commitString();
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
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
      return 0;
    case Qt::ImSurroundingText:
    case Qt::ImCurrentSelection:
      return QString();
    case Qt::ImHints:
      return static_cast<int>(Qt::ImhMultiLine);
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

}  // namespace corvella
