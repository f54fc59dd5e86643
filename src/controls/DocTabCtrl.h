// The document tab strip: one tab per document window of an MDI area in opening order, refreshed when a window signals a change.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

#include "controls/TabListRefresh.h"

class QMdiArea;
class QMdiSubWindow;
class QStyleOptionTab;

namespace corvella {

class CMdiTabClient;

// How the tabs look and behave.
struct TabStyle {
  bool bottom = false;     // below the windows
  bool hotTrack = false;   // the tab under the mouse is lit
  bool multiLine = false;  // more rows instead of scrolling
};

// A tab control drawn around the display area it leaves for the documents:
// a sunken border, the tab rows on one side, the pane inside. It never takes
// the keyboard focus and never accepts a drop.
// Multi-line rows are limited (ShownTabRowLimit: three, fewer on a short
// window): the selected tab's row always shows next to the documents, the
// others scroll past it with the mouse wheel. When rows are left out, or a
// single line narrows its tabs, a list button ends the rows: its menu lists
// every document and choosing one activates it as a click on its tab does.
class CDocTabCtrl : public QWidget {
  Q_OBJECT

 public:
  // The text of a window's document, empty when it has none; the window's
  // caption stands in for an empty one.
  using DocumentTitleFunction = std::function<QString(const QMdiSubWindow*)>;

  CDocTabCtrl(CMdiTabClient* owner, const TabStyle& style, QWidget* parent);
  ~CDocTabCtrl() override;

  // The tab control itself. Selecting with SetCurSel tells nobody;
  // SetCurFocus selects and activates the tab's window, as a click does.
  int GetItemCount() const { return static_cast<int>(items.size()); }
  int GetCurSel() const { return m_nCurSel; }
  int SetCurSel(int tab);  // the previous selection, or -1 when `tab` is out of range
  int GetCurFocus() const { return m_nCurSel; }
  void SetCurFocus(int tab);
  QString GetItemText(int tab) const;
  int GetItemImage(int tab) const;  // image-list index, -1 for none
  // Empty for a tab whose row is scrolled out of view.
  QRect GetItemRect(int tab) const;
  int HitTest(QPoint pos) const;
  int GetRowCount() const { return m_rows.rows; }  // every row, shown or not
  int GetShownRowCount() const { return m_rows.shownRows; }
  // The rows after the selected one's scroll by `rows` (clamped).
  void ScrollRows(int rows);
  int GetRowScroll() const { return m_rows.scroll; }
  // The list button at the end of the rows; empty when none shows.
  QRect GetListButtonRect() const;
  // Pops up the list of every document below (above, for bottom tabs) the
  // list button, the active one checked.
  void ShowDocumentList();
  QMenu* DocumentListMenu() const { return m_listMenu; }
  int GetImageCount() const { return static_cast<int>(imageList.size()); }
  // The display area of a window placed on `windowRect` with its border
  // already taken off (the rows of tabs and the pane's edge removed); an
  // inside-out result becomes an empty rectangle at 0, 0.
  QRect AdjustRect(const QRect& windowRect) const;

  // Keeping the tabs in step with the document windows.
  void Refresh(bool addNew);
  bool AddTab(QMdiSubWindow* child, bool relayout, bool requireVisible);
  bool RemoveTab(QMdiSubWindow* child, bool relayout);
  // Drops the tab of a window that is leaving the area or being destroyed
  // (only its identity is used).
  bool RemoveTabOf(const QObject* child, bool relayout);
  int FindTab(const QMdiSubWindow* child) const;
  QString GetTabTitle(const QMdiSubWindow* child) const;
  QMdiSubWindow* GetTabWindow(int tab) const;
  // Whoever supplies the function calls PostRefresh when its answer changes;
  // captions, visibility and the window list are watched here.
  void SetDocumentTitleFunction(DocumentTitleFunction function);
  // A refresh as soon as the event loop runs; requests before then share it.
  void PostRefresh();

  // Next / previous tab with wrap-around.
  void FocusNextTab();
  void FocusPreviousTab();

  int Border() const { return border; }
  // A window caption without Qt's "[*]" modification placeholder ("[*][*]"
  // stands for a literal "[*]").
  static QString StripTitlePlaceholder(const QString& caption);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Item {
    QString title;
    QString className;
    QPointer<QMdiSubWindow> frame;
    const QObject* key = nullptr;  // the window's identity, kept past its destruction
    int image = -1;
  };

  void OnPostedRefresh();
  void Watch(QMdiSubWindow* child);
  void OnSelChange();
  void OnLButtonDblClk();
  QMdiArea* MdiArea() const;
  void RelayoutOwner();
  void InsertItem(Item item);
  void DeleteItem(int tab);
  void SetItemText(int tab, const QString& text);
  int ImageFor(const QMdiSubWindow* child);
  bool DropDeadTabs();

  // Tab geometry, from the font, the style and the widget's size.
  void LayoutTabs();
  QRect ClientRect() const;
  int StripLength(int clientWidth) const;
  TabRows LayoutFor(const QRect& client, int scroll) const;
  void InitTabOption(QStyleOptionTab* option, int tab) const;

  std::vector<Item> items;
  std::vector<QIcon> icons;        // every distinct icon met; position = image index
  std::vector<QPixmap> imageList;  // the icons at small-icon size
  CMdiTabClient* owner = nullptr;
  int border = 5;

  TabStyle m_style;
  int m_nCurSel = -1;
  int m_nHot = -1;
  bool m_bRefreshPosted = false;
  DocumentTitleFunction m_documentTitle;
  int m_nTabHeight = 0;
  std::vector<int> m_widths;  // natural tab widths
  TabRows m_rows;
  int m_nButtonWidth = 16;
  int m_nScroll = 0;
  int m_nWheel = 0;  // wheel turn not yet a whole row
  bool m_bButtonHot = false;
  QPointer<QMenu> m_listMenu;
};

}  // namespace corvella
