// The frame of one document window: always shown maximised inside the main window's document area.
#include "app/ChildFrame.h"

#include <algorithm>

#include <QEvent>
#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenu>
#include <QSplitter>
#include <QWindowStateChangeEvent>

#include "editor/MyView.h"

namespace corvella {

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent), m_splitter(new QSplitter(Qt::Vertical)) {
  setAttribute(Qt::WA_DeleteOnClose);
  m_splitter->setChildrenCollapsible(false);
  setWidget(m_splitter);
  // The system menu's Close key (Ctrl+W on this desktop) would make the
  // frame's keys for 閉じる ambiguous, and so dead; those ask about changes too.
  if (QMenu* menu = systemMenu()) {
    const QList<QKeySequence> ours = {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)};
    for (QAction* action : menu->actions()) {
      QList<QKeySequence> keys = action->shortcuts();
      if (keys.removeIf([&ours](const QKeySequence& key) { return ours.contains(key); }) > 0) action->setShortcuts(keys);
    }
  }
}

void CChildFrame::ActivateFrame() {
  showMaximized();
  if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
  if (CMyView* view = ActiveView()) view->setFocus();
}

void CChildFrame::AddView(CMyView* view) {
  m_splitter->addWidget(view);
  if (!m_pActiveView) m_pActiveView = view;
  connect(view, &CMyView::focusEntered, this, [this](CMyView* v) { m_pActiveView = v; });
  // The views share the height.
  const int count = m_splitter->count();
  m_splitter->setSizes(QList<int>(count, std::max(1, m_splitter->height() / count)));
}

QList<CMyView*> CChildFrame::Views() const {
  QList<CMyView*> views;
  for (int i = 0; i < m_splitter->count(); ++i) {
    if (auto* view = qobject_cast<CMyView*>(m_splitter->widget(i))) views << view;
  }
  return views;
}

CMyView* CChildFrame::ActiveView() const {
  if (m_pActiveView) return m_pActiveView;
  const QList<CMyView*> views = Views();
  return views.isEmpty() ? nullptr : views.front();
}

void CChildFrame::KeepActiveViewOnly() {
  CMyView* kept = ActiveView();
  for (CMyView* view : Views()) {
    if (view != kept) delete view;
  }
  m_pActiveView = kept;
  if (kept && isActiveWindow()) kept->setFocus();
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
