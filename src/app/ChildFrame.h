// The frame of one document window: always shown maximised inside the main window's document area.
#pragma once

#include <QMdiSubWindow>

#include "base/CommandRouter.h"

namespace corvella {

class CChildFrame : public QMdiSubWindow, public CommandTarget {
  Q_OBJECT

 public:
  explicit CChildFrame(QWidget* parent = nullptr);

  // Ignores the requested state: a document window is always activated maximised.
  void ActivateFrame();

 protected:
  void changeEvent(QEvent* event) override;
};

}  // namespace corvella
