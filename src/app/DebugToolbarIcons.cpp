// The debugger's toolbar images, drawn in the 16 x 15 style of the shipped strip, which has none for them.
#include "app/DebugToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "res/resource.h"

namespace corvella {
namespace {

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF d = to - from;
  const QPointF unit = d / std::max(1.0, std::hypot(d.x(), d.y()));
  const QPointF side(-unit.y(), unit.x());
  p.setBrush(p.pen().color());
  p.drawPolygon(QPolygonF({to + unit * 1.5, to - unit * 3 + side * 3, to - unit * 3 - side * 3}));
}

}  // namespace

QPixmap DebugToolbarImage(int id) {
  using namespace res;
  QPixmap image(16, 15);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor blue(0, 0, 160);
  p.setPen(QPen(blue, 1.5));
  switch (id) {
    case ID_DEBUG_GO:
      p.setPen(QPen(QColor(0, 96, 0), 1));
      p.setBrush(QColor(0, 176, 0));
      p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(13, 7.5), QPointF(4, 13)}));
      break;
    case ID_DEBUG_STEP_INTO:
      Arrow(p, QPointF(8, 1), QPointF(8, 8));
      p.fillRect(QRectF(3, 11, 10, 2), Qt::black);
      break;
    case ID_DEBUG_STEP_OVER: {
      QPainterPath path(QPointF(3, 9));
      path.cubicTo(QPointF(3, 1), QPointF(13, 1), QPointF(13, 7));
      p.drawPath(path);
      Arrow(p, QPointF(13, 6), QPointF(13, 9));
      p.fillRect(QRectF(3, 11, 10, 2), Qt::black);
      break;
    }
    case ID_DEBUG_STEP_OUT:
      p.fillRect(QRectF(3, 11, 10, 2), Qt::black);
      Arrow(p, QPointF(8, 10), QPointF(8, 3));
      break;
    case ID_DEBUG_END:
      p.setPen(QPen(QColor(128, 0, 0), 1));
      p.setBrush(QColor(208, 32, 32));
      p.drawRect(QRectF(3.5, 3, 9, 9));
      break;
    case ID_DEBUG_TOGGLE_BREAKPOINT:
      p.setPen(QPen(QColor(128, 0, 0), 1));
      p.setBrush(QColor(220, 30, 30));
      p.drawEllipse(QPointF(8, 7.5), 5, 5);
      break;
    default:
      return {};
  }
  return image;
}

}  // namespace corvella
