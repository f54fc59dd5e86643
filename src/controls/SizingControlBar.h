// A dockable bar that remembers one size for each way it can sit: docked across the frame, docked upright, floating.
#pragma once

#include <QDockWidget>

#include "controls/SizingBarSizes.h"

class QMainWindow;

namespace corvella {

class Profile;

class CSizingControlBar : public QDockWidget {
  Q_OBJECT

 public:
  // Starts at 200 × 200 in every orientation. `id` is the bar's control id and
  // names it in saved layouts.
  CSizingControlBar(const QString& title, QMainWindow* frame, int id);

  int Id() const { return m_id; }
  // The dock bar that holds the bar now (kDockBarTop … kDockBarFloat).
  int DockBarId() const { return m_dockBarId; }
  const SizingBarSizes& Sizes() const { return m_sizes; }

  void LoadSizes(const Profile& profile, std::string_view profileName);
  void SaveSizes(Profile& profile, std::string_view profileName);

  // Gives the bar the size kept for where it sits now.
  void ApplyKeptSize();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // The bar has moved to another side or floated; the place it now sits in.
  virtual void PlaceChanged() {}

 private:
  void Moved();
  void Remember();

  QMainWindow* m_frame;
  int m_id;
  int m_dockBarId = kDockBarFloat;
  SizingBarSizes m_sizes;
  bool m_applying = false;  // the kept size is being applied: resizes meanwhile are not the user's
};

}  // namespace corvella
