// The frame of one document window: always shown maximised inside the main window's document area.
#include "app/ChildFrame.h"

#include <QEvent>
#include <QMdiArea>
#include <QWindowStateChangeEvent>

namespace corvella {

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
}

void CChildFrame::ActivateFrame() {
  showMaximized();
  if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
  if (widget()) widget()->setFocus();
}

void CChildFrame::changeEvent(QEvent* event) {
  QMdiSubWindow::changeEvent(event);
  // Restoring a maximised document window leaves it at the top-left corner
  // at the full size of the document area.
  if (event->type() == QEvent::WindowStateChange && !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) {
    if (QMdiArea* area = mdiArea()) {
      const auto* change = static_cast<QWindowStateChangeEvent*>(event);
      if (change->oldState() & Qt::WindowMaximized) setGeometry(QRect(QPoint(0, 0), area->viewport()->size()));
    }
  }
}

}  // namespace corvella
