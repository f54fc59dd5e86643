// A dialog's text label made into a link: its caption drawn underlined in blue, a hand over it, a click opens the caption.
#include "controls/HyperLink.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "base/DesktopOpener.h"

namespace corvella {
CHyperLink::CHyperLink(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  // The hand belongs to the label alone, so the dialog's own cursor is back
  // as soon as the pointer leaves it.
  setCursor(Qt::PointingHandCursor);
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(false);
}

CHyperLink::~CHyperLink() = default;

QFont CHyperLink::LinkFont() const {
  QFont font = window()->font();
  font.setUnderline(true);
  return font;
}

QUrl CHyperLink::LinkUrl() const {
  // An address with a scheme ("https:", "mailto:") stays as written; a bare
  // host name is taken as a web address.
  return QUrl::fromUserInput(text().trimmed());
}

QSize CHyperLink::sizeHint() const {
  return QFontMetrics(LinkFont()).size(Qt::TextSingleLine, text());
}

QSize CHyperLink::minimumSizeHint() const { return sizeHint(); }

void CHyperLink::Open(const QUrl& url) const {
  OpenWithDesktop(this, url);
}

void CHyperLink::paintEvent(QPaintEvent*) {
  // The background is left alone: the dialog shows through.
  QPainter painter(this);
  painter.setFont(LinkFont());
  painter.setPen(QColor::fromRgb(kLinkColor));
  painter.setBackgroundMode(Qt::TransparentMode);
  const QRect all(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  painter.drawText(all, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
}

void CHyperLink::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !text().isEmpty()) Open(LinkUrl());
  QLabel::mousePressEvent(event);
}

}  // namespace corvella
