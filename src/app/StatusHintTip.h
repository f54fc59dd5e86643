// The whole status bar message as the tooltip of its pane, for hints too long for the window.
#pragma once

#include <QObject>

class QStatusBar;

namespace corvella {

// Lives as the bar's child; answers the tooltip events of the message pane
// (the free width left of the first pane that shows) with the message shown.
class StatusHintTip : public QObject {
  Q_OBJECT

 public:
  explicit StatusHintTip(QStatusBar* bar);

  // The width the message pane has now: up to the leftmost visible pane.
  int MessageWidth() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QStatusBar* m_bar;
};

}  // namespace corvella
