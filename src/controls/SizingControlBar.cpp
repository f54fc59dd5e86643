// A dockable bar that remembers one size for each way it can sit: docked across the frame, docked upright, floating.
#include "controls/SizingControlBar.h"

#include <QMainWindow>
#include <QResizeEvent>
#include <QTimer>

namespace corvella {
namespace {

int DockBarOf(Qt::DockWidgetArea area) {
  switch (area) {
    case Qt::TopDockWidgetArea: return kDockBarTop;
    case Qt::LeftDockWidgetArea: return kDockBarLeft;
    case Qt::RightDockWidgetArea: return kDockBarRight;
    case Qt::BottomDockWidgetArea: return kDockBarBottom;
    default: return kDockBarFloat;
  }
}

}  // namespace

CSizingControlBar::CSizingControlBar(const QString& title, QMainWindow* frame, int id)
    : QDockWidget(title, frame), m_frame(frame), m_id(id) {
  setObjectName(QStringLiteral("Bar%1").arg(id));
  setAllowedAreas(Qt::AllDockWidgetAreas);
  setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
  connect(this, &QDockWidget::dockLocationChanged, this, [this] { Moved(); });
  connect(this, &QDockWidget::topLevelChanged, this, [this] { Moved(); });
}

void CSizingControlBar::Moved() {
  const int place = isFloating() ? kDockBarFloat : DockBarOf(m_frame->dockWidgetArea(this));
  if (place == m_dockBarId) return;
  m_dockBarId = place;
  const BarSize minimum = SizingBarSizes::MinimumFor(place);
  setMinimumSize(minimum.cx, minimum.cy);
  PlaceChanged();
  // The layout settles after the move; the kept size goes in once it has.
  m_applying = true;
  QTimer::singleShot(0, this, [this] { ApplyKeptSize(); });
}

void CSizingControlBar::ApplyKeptSize() {
  m_applying = true;
  const BarSize size = m_sizes.SizeFor(m_dockBarId);
  if (isFloating()) {
    resize(size.cx, size.cy);
  } else if (IsHorzDockBar(m_dockBarId)) {
    m_frame->resizeDocks({this}, {size.cy}, Qt::Vertical);
  } else if (IsVertDockBar(m_dockBarId)) {
    m_frame->resizeDocks({this}, {size.cx}, Qt::Horizontal);
  }
  // The frame lays the bars out when it next gets to it; until then the
  // resizes that arrive are the layout's, not the user's.
  QTimer::singleShot(0, this, [this] {
    m_applying = false;
    Remember();
  });
}

void CSizingControlBar::resizeEvent(QResizeEvent* event) {
  QDockWidget::resizeEvent(event);
  if (!m_applying) Remember();
}

void CSizingControlBar::Remember() {
  if (!isVisible() || !m_frame->isVisible()) return;
  if (m_dockBarId == kDockBarFloat && !isFloating()) return;
  m_sizes.Remember(m_dockBarId, {width(), height()});
}

void CSizingControlBar::LoadSizes(const Profile& profile, std::string_view profileName) {
  corvella::LoadSizes(profile, profileName, m_id, m_sizes);
}

void CSizingControlBar::SaveSizes(Profile& profile, std::string_view profileName) {
  corvella::SaveSizes(profile, profileName, m_id, m_sizes);
}

}  // namespace corvella
