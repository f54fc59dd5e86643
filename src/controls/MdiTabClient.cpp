// The main frame's document area: the frame's QMdiArea and the document tab strip laid out together as its central widget.
#include "controls/MdiTabClient.h"

#include <QChildEvent>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "controls/DocTabCtrl.h"
#include "controls/TabListRefresh.h"

namespace corvella {

namespace {

bool ExplicitlyHidden(const QWidget* widget) {
  return widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

}  // namespace

CMdiTabClient::CMdiTabClient(QWidget* parent) : QWidget(parent) {}

// The area and the strip are children and go with this widget; the area's
// last signals and child events must not reach a half-destroyed client.
CMdiTabClient::~CMdiTabClient() {
  Unhook();
  delete tabs;
}

void CMdiTabClient::Unhook() {
  if (!m_pArea) return;
  m_pArea->removeEventFilter(this);
  m_pArea->viewport()->removeEventFilter(this);
  disconnect(m_pArea, nullptr, this, nullptr);
}

bool CMdiTabClient::Attach(QMainWindow* frame, const TabStyle& tabStyle) {
  if (m_bAttached || !frame) return false;
  auto* area = qobject_cast<QMdiArea*>(frame->centralWidget());
  if (!area) return false;

  mainFrame = frame;
  m_pArea = area;
  m_bAttached = true;
  const bool hidden = ExplicitlyHidden(area);
  frame->takeCentralWidget();
  area->setParent(this);
  if (!hidden) area->show();
  frame->setCentralWidget(this);

  tabs = new CDocTabCtrl(this, tabStyle, this);
  tabs->stackUnder(area);  // the area covers the strip's display area
  tabs->setVisible(!hidden);

  areaObject_ = area;
  viewportObject_ = area->viewport();
  area->installEventFilter(this);
  area->viewport()->installEventFilter(this);
  connect(area, &QMdiArea::subWindowActivated, this, &CMdiTabClient::OnMdiActivate);
  RecalcLayout();
  tabs->Refresh(true);
  return true;
}

bool CMdiTabClient::Detach() {
  if (!m_bAttached) return false;
  Unhook();
  delete tabs;
  QMdiArea* area = m_pArea;
  QMainWindow* frame = mainFrame;
  if (frame && area && frame->centralWidget() == this) {
    const bool hidden = ExplicitlyHidden(area);
    frame->takeCentralWidget();
    frame->setCentralWidget(area);
    if (!hidden) area->show();
  }
  mainFrame = nullptr;
  m_pArea = nullptr;
  m_bAttached = false;
  layoutDirty = false;
  return true;
}

void CMdiTabClient::RecalcLayout() { CalcWindowRect(rect()); }

void CMdiTabClient::CalcWindowRect(const QRect& rect) {
  if (!m_pArea) return;
  QRect documents = rect;
  if (tabs && !tabs->isHidden()) {
    tabs->setGeometry(rect);
    const TabRect inner = DeflateByBorder(
        {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()}, tabs->Border());
    documents = tabs->AdjustRect({inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top});
  }
  m_pArea->setGeometry(documents);
}

void CMdiTabClient::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RecalcLayout();
}

void CMdiTabClient::OnMdiActivate(QMdiSubWindow* window) {
  if (!tabs) return;
  if (window) {
    const int tab = tabs->FindTab(window);
    if (tab >= 0) tabs->SetCurSel(tab);
  }
  tabs->PostRefresh();
}

bool CMdiTabClient::eventFilter(QObject* watched, QEvent* event) {
  if (!tabs || m_pArea.isNull()) return QWidget::eventFilter(watched, event);
  // Compared as plain objects: events still arrive while the area is being
  // destroyed, when it must no longer be used as an area.
  if (watched == areaObject_) {
    switch (event->type()) {
      case QEvent::Resize:
        layoutDirty = true;
        tabs->PostRefresh();
        break;
      case QEvent::ShowToParent:
      case QEvent::HideToParent:
        // Only an explicit show or hide of the area; the strip follows, and
        // the refresh lays both out again.
        tabs->setVisible(event->type() == QEvent::ShowToParent);
        layoutDirty = true;
        tabs->PostRefresh();
        break;
      default:
        break;
    }
  } else if (watched == viewportObject_) {
    QObject* child = event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved
                         ? static_cast<QChildEvent*>(event)->child()
                         : nullptr;
    if (child && event->type() == QEvent::ChildAdded && child->isWidgetType()) {
      // The new window gets its tab from the refresh, once it is shown.
      tabs->SetCurSel(-1);
      tabs->PostRefresh();
    } else if (child && event->type() == QEvent::ChildRemoved) {
      tabs->RemoveTabOf(child, true);
      tabs->PostRefresh();
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace corvella
