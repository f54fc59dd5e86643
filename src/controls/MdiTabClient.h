// The main frame's document area: the frame's QMdiArea and the document tab strip laid out together as its central widget.
#pragma once

#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QMdiSubWindow;

namespace corvella {

class CDocTabCtrl;
struct TabStyle;

// Attach takes the frame's central QMdiArea into this widget, puts this
// widget in its place and creates the tab strip; from then on the strip
// follows the area's windows by itself. The area sits over the strip's
// display area, framed by the strip's sunken border, with the rows of tabs
// beside it; with the strip hidden the area gets the whole widget.
class CMdiTabClient : public QWidget {
  Q_OBJECT

 public:
  explicit CMdiTabClient(QWidget* parent = nullptr);
  ~CMdiTabClient() override;

  // Fails when already attached or when the frame's central widget is not a
  // QMdiArea. `tabStyle` is the tab control's; the main frame
  // passes bottom, hot-track and multi-line.
  bool Attach(QMainWindow* frame, const TabStyle& tabStyle);
  // Destroys the strip and gives the area back to the frame as its central
  // widget; this widget is then no longer part of the frame. False when not
  // attached.
  bool Detach();

  CDocTabCtrl* Tabs() const { return tabs; }
  QMdiArea* MdiArea() const { return m_pArea; }
  QMainWindow* MainFrame() const { return mainFrame; }

  // Places the strip and the area on this widget's rectangle.
  void RecalcLayout();
  // Places the strip on `rect` and the area on the strip's display area.
  void CalcWindowRect(const QRect& rect);

  bool LayoutDirty() const { return layoutDirty; }
  void SetLayoutDirty(bool dirty) { layoutDirty = dirty; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnMdiActivate(QMdiSubWindow* window);
  void Unhook();

  QPointer<CDocTabCtrl> tabs;
  QPointer<QMainWindow> mainFrame;
  QPointer<QMdiArea> m_pArea;
  QObject* areaObject_ = nullptr;      // the same area, for telling its events apart
  QObject* viewportObject_ = nullptr;  // and its viewport's
  bool m_bAttached = false;
  bool layoutDirty = false;
};

}  // namespace corvella
