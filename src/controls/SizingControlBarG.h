// A sizing bar with a gripper of two raised lines and a small close button while docked.
#pragma once

#include "controls/SizingControlBar.h"

namespace corvella {

class CSizingControlBarG : public CSizingControlBar {
  Q_OBJECT

 public:
  static constexpr int kGripperSize = 12;
  static constexpr int kCloseButtonSize = 11;

  CSizingControlBarG(const QString& title, QMainWindow* frame, int id);

  // A docked bar has the gripper; a floating one carries its title instead.
  bool HasGripper() const { return DockBarId() != kDockBarFloat; }
  // The close button's square in the title area's coordinates.
  QRect CloseButtonRect() const;
  QWidget* TitleArea() const { return titleBarWidget(); }

 protected:
  void PlaceChanged() override;
};

}  // namespace corvella
