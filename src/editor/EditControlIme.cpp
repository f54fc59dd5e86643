// The edit control's side of the input method: the pre-edit, what the input method is told and what it asks.
#include <algorithm>

#include <QApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>

#include "editor/Cp932Text.h"
#include "editor/EditControl.h"
#include "text/Newlines.h"

namespace corvella {

void EditControl::ReportCaret() {
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImAnchorRectangle);
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
