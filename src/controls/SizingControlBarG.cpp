// A sizing bar with a gripper of two raised lines and a small close button while docked.
#include "controls/SizingControlBarG.h"

#include <QMouseEvent>
#include <QPainter>

namespace corvella {
namespace {

// Top and left in the light colour, bottom and right in the shadow.
void Draw3dRect(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  p.setPen(topLeft);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(bottomRight);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

// The bar's title area: gripper and close button when docked, the title and
// the close button when floating. Presses elsewhere than on the close button
// are left to the dock widget, which drags the bar and docks or floats it on
// a double-click.
class BarTitle : public QWidget {
 public:
  explicit BarTitle(CSizingControlBarG* bar) : QWidget(bar), m_bar(bar) { setMouseTracking(true); }

  QSize sizeHint() const override {
    if (m_bar->HasGripper()) return {CSizingControlBarG::kGripperSize, CSizingControlBarG::kGripperSize};
    const int h = std::max(fontMetrics().height() + 4, CSizingControlBarG::kCloseButtonSize + 4);
    return {fontMetrics().horizontalAdvance(m_bar->windowTitle()) + 24, h};
  }
  QSize minimumSizeHint() const override { return sizeHint(); }

  QRect CloseRect() const {
    const int s = CSizingControlBarG::kCloseButtonSize;
    if (!m_bar->HasGripper()) return {width() - s - 3, (height() - s) / 2, s, s};
    if (Vertical()) return {0, 1, s, s};
    return {width() - s - 1, 0, s, s};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Button));
    const QRect close = CloseRect();
    if (m_bar->HasGripper()) {
      // Two raised lines, three pixels thick, beside the close button.
      QRect line = Vertical() ? QRect(2, close.bottom() + 4, 3, height() - close.bottom() - 5)
                              : QRect(1, 2, close.left() - 4, 3);
      for (int i = 0; i < 2; ++i) {
        Draw3dRect(p, line, pal.color(QPalette::Light), pal.color(QPalette::Dark));
        line.translate(Vertical() ? 3 : 0, Vertical() ? 0 : 3);
      }
    } else {
      p.setPen(pal.color(QPalette::ButtonText));
      p.drawText(rect().adjusted(4, 0, -close.width() - 6, 0), Qt::AlignVCenter | Qt::AlignLeft, m_bar->windowTitle());
    }
    if (m_pushed) Draw3dRect(p, close.adjusted(0, 0, -1, -1), pal.color(QPalette::Dark), pal.color(QPalette::Light));
    else if (m_hovered) Draw3dRect(p, close.adjusted(0, 0, -1, -1), pal.color(QPalette::Light), pal.color(QPalette::Dark));
    // The cross of the close button, one pixel lower and to the right while pushed.
    const QPoint o = close.topLeft() + QPoint(2, 2) + (m_pushed ? QPoint(1, 1) : QPoint());
    QPen pen(pal.color(QPalette::ButtonText));
    pen.setWidth(1);
    p.setPen(pen);
    for (int d = 0; d < 2; ++d) {
      p.drawLine(o + QPoint(d, 0), o + QPoint(5 + d, 5));
      p.drawLine(o + QPoint(5 + d, 0), o + QPoint(d, 5));
    }
  }

  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && CloseRect().contains(e->position().toPoint())) {
      SetState(true, false);
      e->accept();
      return;
    }
    e->ignore();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const bool over = CloseRect().contains(e->position().toPoint());
    const bool down = (e->buttons() & Qt::LeftButton) != 0;
    if (m_tracking) {
      SetState(over && down, false);
      e->accept();
      return;
    }
    SetState(false, over && !down);
    e->ignore();
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (!m_tracking) {
      e->ignore();
      return;
    }
    m_tracking = false;
    const bool over = CloseRect().contains(e->position().toPoint());
    SetState(false, over);
    e->accept();
    if (over && e->button() == Qt::LeftButton) m_bar->hide();
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (CloseRect().contains(e->position().toPoint())) e->accept();
    else e->ignore();
  }
  void leaveEvent(QEvent*) override { SetState(m_pushed && m_tracking, false); }

 private:
  bool Vertical() const { return m_bar->features().testFlag(QDockWidget::DockWidgetVerticalTitleBar); }
  void SetState(bool pushed, bool hovered) {
    if (pushed) m_tracking = true;
    if (pushed == m_pushed && hovered == m_hovered) return;
    m_pushed = pushed;
    m_hovered = hovered;
    update();
  }

  CSizingControlBarG* m_bar;
  bool m_pushed = false;
  bool m_hovered = false;
  bool m_tracking = false;  // the press began on the close button
};

}  // namespace

CSizingControlBarG::CSizingControlBarG(const QString& title, QMainWindow* frame, int id)
    : CSizingControlBar(title, frame, id) {
  setTitleBarWidget(new BarTitle(this));
}

QRect CSizingControlBarG::CloseButtonRect() const {
  return static_cast<const BarTitle*>(titleBarWidget())->CloseRect();
}

void CSizingControlBarG::PlaceChanged() {
  // Across the frame the gripper stands at the left, upright it lies on top.
  setFeatures(IsHorzDockBar(DockBarId()) ? features() | DockWidgetVerticalTitleBar
                                         : features() & ~DockWidgetVerticalTitleBar);
  titleBarWidget()->updateGeometry();
  titleBarWidget()->update();
}

}  // namespace corvella
