// The whole status bar message as the tooltip of its pane, for hints too long for the window.
#include "app/StatusHintTip.h"

#include <algorithm>

#include <QHelpEvent>
#include <QStatusBar>
#include <QToolTip>

namespace corvella {

StatusHintTip::StatusHintTip(QStatusBar* bar) : QObject(bar), m_bar(bar) { bar->installEventFilter(this); }

int StatusHintTip::MessageWidth() const {
  int right = m_bar->width();
  for (const QWidget* child : m_bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isVisible() && child->width() > 0 && child->x() > 0) right = std::min(right, child->x());
  }
  return right;
}

bool StatusHintTip::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_bar || event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
  // A pane's own tooltip event reaches the bar too; only the message pane's is answered.
  const auto* help = static_cast<QHelpEvent*>(event);
  const QString message = m_bar->currentMessage();
  if (help->pos().x() < MessageWidth() && !message.isEmpty()) {
    QToolTip::showText(help->globalPos(), message, m_bar);
  } else {
    QToolTip::hideText();
  }
  return true;
}

}  // namespace corvella
