// The document tab strip: one tab per document window of an MDI area in opening order, refreshed when a window signals a change.
#include "controls/DocTabCtrl.h"

#include <QCursor>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <string>

#include "controls/MdiTabClient.h"
#include "res/Strings.h"

namespace corvella {

namespace {

// Tabs start this far in from the ends of their rows.
constexpr int kStripIndent = 2;
// The pane's edge around the display area.
constexpr int kPaneMargin = 2;
// Between a tab's icon and its text.
constexpr int kIconGap = 4;
// Wheel turn for one row.
constexpr int kWheelStep = 120;

TabWindowId IdOf(const QObject* window) { return reinterpret_cast<TabWindowId>(window); }

// Tab texts are shown as they are: an ampersand is not a mnemonic.
QString Displayed(const QString& text) {
  QString shown = text;
  return shown.replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

CDocTabCtrl::CDocTabCtrl(CMdiTabClient* tabOwner, const TabStyle& style, QWidget* parent)
    : QWidget(parent), owner(tabOwner), m_style(style) {
  setFocusPolicy(Qt::NoFocus);
  setAcceptDrops(true);
  setMouseTracking(true);
  icons.reserve(4);
  imageList.reserve(4);
  LayoutTabs();
}

CDocTabCtrl::~CDocTabCtrl() = default;

QString CDocTabCtrl::StripTitlePlaceholder(const QString& caption) {
  static const QLatin1String placeholder("[*]");
  QString title;
  title.reserve(caption.size());
  qsizetype i = 0;
  while (i < caption.size()) {
    if (!caption.mid(i, 3).startsWith(placeholder)) {
      title += caption[i++];
      continue;
    }
    int run = 0;
    while (caption.mid(i, 3) == placeholder) {
      ++run;
      i += 3;
    }
    for (int k = 0; k < run / 2; ++k) title += placeholder;  // pairs are literal, an odd one out goes
  }
  return title;
}

// ---- the tab control ------------------------------------------------------

int CDocTabCtrl::SetCurSel(int tab) {
  if (tab >= GetItemCount()) return -1;
  const int previous = m_nCurSel;
  m_nCurSel = tab < 0 ? -1 : tab;
  if (previous != m_nCurSel) {
    m_nScroll = 0;  // the rows after the newly selected one's
    LayoutTabs();
    update();
  }
  return previous;
}

void CDocTabCtrl::SetCurFocus(int tab) {
  if (tab < 0 || tab >= GetItemCount() || tab == m_nCurSel) return;
  SetCurSel(tab);
  OnSelChange();
}

QString CDocTabCtrl::GetItemText(int tab) const {
  return tab >= 0 && tab < GetItemCount() ? items[static_cast<std::size_t>(tab)].title : QString();
}

int CDocTabCtrl::GetItemImage(int tab) const {
  return tab >= 0 && tab < GetItemCount() ? items[static_cast<std::size_t>(tab)].image : -1;
}

QMdiSubWindow* CDocTabCtrl::GetTabWindow(int tab) const {
  return tab >= 0 && tab < GetItemCount() ? items[static_cast<std::size_t>(tab)].frame.data() : nullptr;
}

QRect CDocTabCtrl::ClientRect() const {
  const TabRect inner = DeflateByBorder({0, 0, width(), height()}, border);
  return {inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top};
}

int CDocTabCtrl::StripLength(int clientWidth) const { return clientWidth - 2 * kStripIndent; }

QRect CDocTabCtrl::GetItemRect(int tab) const {
  if (tab < 0 || tab >= GetItemCount()) return {};
  const QRect client = ClientRect();
  const TabSlot& slot = m_rows.places[static_cast<std::size_t>(tab)];
  if (slot.line < 0) return {};
  const int x = client.left() + kStripIndent + slot.x;
  int y;
  if (m_style.bottom) {
    y = client.top() + client.height() - m_rows.shownRows * m_nTabHeight + slot.line * m_nTabHeight;
  } else {
    y = client.top() + (m_rows.shownRows - 1 - slot.line) * m_nTabHeight;
  }
  return {x, y, slot.width, m_nTabHeight};
}

// In the row farthest from the documents, after the tabs.
QRect CDocTabCtrl::GetListButtonRect() const {
  if (!m_rows.listButton) return {};
  const QRect client = ClientRect();
  const int x = client.left() + kStripIndent + m_rows.length;
  const int y = m_style.bottom ? client.top() + client.height() - m_nTabHeight : client.top();
  return {x, y, m_nButtonWidth, m_nTabHeight};
}

TabRows CDocTabCtrl::LayoutFor(const QRect& client, int scroll) const {
  const TabRowLimit limit{m_style.multiLine ? ShownTabRowLimit(client.height(), m_nTabHeight) : 0, scroll,
                          m_nButtonWidth};
  return LayoutTabRows(m_widths, StripLength(client.width()), m_nCurSel, m_style.multiLine, limit);
}

void CDocTabCtrl::ScrollRows(int rows) {
  const int scroll = std::clamp(m_rows.scroll + rows, 0, m_rows.maxScroll);
  if (scroll == m_rows.scroll) return;
  m_nScroll = scroll;
  LayoutTabs();
  m_nHot = HitTest(mapFromGlobal(QCursor::pos()));
  update();
}

void CDocTabCtrl::ShowDocumentList() {
  if (m_listMenu) m_listMenu->close();
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* current = nullptr;
  for (int i = 0; i < GetItemCount(); ++i) {
    const Item& item = items[static_cast<std::size_t>(i)];
    QAction* action = menu->addAction(Displayed(item.title));
    action->setCheckable(true);
    action->setChecked(i == m_nCurSel);
    if (i == m_nCurSel) current = action;
    // The window, not the index: tabs may come and go while the menu is open.
    const QPointer<QMdiSubWindow> window = item.frame;
    connect(action, &QAction::triggered, this, [this, window] {
      const int tab = FindTab(window);
      if (tab >= 0 && tab != m_nCurSel) {
        SetCurSel(tab);
        OnSelChange();
      }
    });
  }
  m_listMenu = menu;
  connect(menu, &QMenu::aboutToHide, this, qOverload<>(&QWidget::update));  // the button comes up again
  const QRect button = GetListButtonRect().isEmpty() ? rect() : GetListButtonRect();
  const QSize size = menu->sizeHint();
  QPoint at = m_style.bottom ? button.topRight() - QPoint(size.width() - 1, size.height())
                             : button.bottomRight() - QPoint(size.width() - 1, -1);
  if (current) menu->setActiveAction(current);
  menu->popup(mapToGlobal(at));
  update();
}

int CDocTabCtrl::HitTest(QPoint pos) const {
  for (int i = 0; i < GetItemCount(); ++i) {
    if (GetItemRect(i).contains(pos)) return i;
  }
  return -1;
}

QRect CDocTabCtrl::AdjustRect(const QRect& windowRect) const {
  const int rows = LayoutFor(windowRect, 0).shownRows;
  const int strip = rows * m_nTabHeight;
  TabRect r{windowRect.x() + kPaneMargin, windowRect.y() + kPaneMargin,
            windowRect.x() + windowRect.width() - kPaneMargin, windowRect.y() + windowRect.height() - kPaneMargin};
  if (m_style.bottom) {
    r.bottom -= strip;
  } else {
    r.top += strip;
  }
  if (r.right < r.left || r.bottom < r.top) return {0, 0, 0, 0};
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void CDocTabCtrl::InsertItem(Item item) {
  items.push_back(std::move(item));
  LayoutTabs();
  update();
}

void CDocTabCtrl::DeleteItem(int tab) {
  items.erase(items.begin() + tab);
  m_nCurSel = SelectionAfterRemoval(m_nCurSel, tab);
  if (m_nHot >= GetItemCount()) m_nHot = -1;
  LayoutTabs();
  update();
}

void CDocTabCtrl::SetItemText(int tab, const QString& text) {
  items[static_cast<std::size_t>(tab)].title = text;
  LayoutTabs();
  update();
}

// ---- keeping in step with the windows -----------------------------------

QMdiArea* CDocTabCtrl::MdiArea() const { return owner ? owner->MdiArea() : nullptr; }

void CDocTabCtrl::RelayoutOwner() {
  if (owner) owner->RecalcLayout();
}

void CDocTabCtrl::SetDocumentTitleFunction(DocumentTitleFunction function) {
  m_documentTitle = std::move(function);
  PostRefresh();
}

QString CDocTabCtrl::GetTabTitle(const QMdiSubWindow* child) const {
  if (!child) return {};
  if (m_documentTitle) {
    QString title = m_documentTitle(child);
    if (!title.isEmpty()) return title;
  }
  QString caption = child->windowTitle();
  if (caption.isEmpty() && child->widget()) caption = child->widget()->windowTitle();
  return StripTitlePlaceholder(caption);
}

int CDocTabCtrl::FindTab(const QMdiSubWindow* child) const {
  if (!child) return -1;
  const QLatin1String className(child->metaObject()->className());
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].frame.data() == child && items[i].className == className) return static_cast<int>(i);
  }
  return -1;
}

int CDocTabCtrl::ImageFor(const QMdiSubWindow* child) {
  QIcon icon = child->windowIcon();
  if (icon.isNull() && child->widget()) icon = child->widget()->windowIcon();
  if (icon.isNull()) return -1;
  for (std::size_t i = 0; i < icons.size(); ++i) {
    if (icons[i].cacheKey() == icon.cacheKey()) return static_cast<int>(i);
  }
  const int size = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
  icons.push_back(icon);
  imageList.push_back(icon.pixmap(QSize(size, size), devicePixelRatio()));
  return static_cast<int>(icons.size()) - 1;
}

bool CDocTabCtrl::AddTab(QMdiSubWindow* child, bool relayout, bool requireVisible) {
  QMdiArea* area = MdiArea();
  if (!child || !area || child->mdiArea() != area) return false;
  if (requireVisible && child->isHidden()) return false;
  Item item;
  item.title = GetTabTitle(child);
  item.className = QLatin1String(child->metaObject()->className());
  item.frame = child;
  item.key = child;
  item.image = ImageFor(child);
  InsertItem(std::move(item));
  if (relayout) RelayoutOwner();
  return true;
}

bool CDocTabCtrl::RemoveTab(QMdiSubWindow* child, bool relayout) {
  const int tab = FindTab(child);
  if (tab < 0) return false;
  DeleteItem(tab);
  if (relayout) RelayoutOwner();
  return true;
}

bool CDocTabCtrl::RemoveTabOf(const QObject* child, bool relayout) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].key == child) {
      DeleteItem(static_cast<int>(i));
      if (relayout) RelayoutOwner();
      return true;
    }
  }
  return false;
}

// A window destroyed while it still had a tab must not leave a tab that
// activates nothing; the area normally reports the removal first.
bool CDocTabCtrl::DropDeadTabs() {
  bool dropped = false;
  for (int i = GetItemCount() - 1; i >= 0; --i) {
    if (!items[static_cast<std::size_t>(i)].frame) {
      DeleteItem(i);
      dropped = true;
    }
  }
  return dropped;
}

void CDocTabCtrl::Refresh(bool addNew) {
  QMdiArea* area = MdiArea();
  if (!area) return;
  const bool dropped = DropDeadTabs();

  const QList<QMdiSubWindow*> frames = area->subWindowList(QMdiArea::CreationOrder);
  const QMdiSubWindow* active = area->currentSubWindow();
  std::vector<TabWindow> windows;
  std::vector<QString> titles;
  windows.reserve(static_cast<std::size_t>(frames.size()));
  int activeIndex = -1;
  for (QMdiSubWindow* frame : frames) {
    Watch(frame);
    if (frame == active) activeIndex = static_cast<int>(windows.size());
    titles.push_back(GetTabTitle(frame));
    windows.push_back({IdOf(frame), frame->metaObject()->className(), titles.back().toStdString(), !frame->isHidden()});
  }
  std::vector<TabItem> current;
  current.reserve(items.size());
  for (const Item& item : items) current.push_back({item.title.toStdString(), item.className.toStdString(), IdOf(item.key)});

  const bool dirty = dropped || (owner && owner->LayoutDirty());
  const TabRefreshPlan plan = PlanTabRefresh(std::move(current), windows, activeIndex, m_nCurSel, addNew, dirty);
  for (const TabRefreshStep& step : plan.steps) {
    switch (step.kind) {
      case TabRefreshStep::Kind::Retitle:
        SetItemText(step.tab, titles[step.window]);
        break;
      case TabRefreshStep::Kind::Remove:
        DeleteItem(step.tab);
        break;
      case TabRefreshStep::Kind::Append:
        AddTab(frames[static_cast<qsizetype>(step.window)], false, true);
        break;
    }
  }
  if (plan.select >= 0) SetCurSel(plan.select);
  if (plan.relayout) {
    RelayoutOwner();
    if (owner) owner->SetLayoutDirty(false);
  }
}

void CDocTabCtrl::PostRefresh() {
  if (m_bRefreshPosted) return;
  m_bRefreshPosted = true;
  QMetaObject::invokeMethod(this, &CDocTabCtrl::OnPostedRefresh, Qt::QueuedConnection);
}

void CDocTabCtrl::OnPostedRefresh() {
  m_bRefreshPosted = false;
  Refresh(true);
}

// Installing again only moves the filter to the front, so every refresh may
// do it; the document widget is in place by the first refresh after the
// window's arrival.
void CDocTabCtrl::Watch(QMdiSubWindow* child) {
  child->installEventFilter(this);
  if (QWidget* document = child->widget()) document->installEventFilter(this);
}

// What a refresh compares of a window: its caption (or its document's) and
// whether it is shown. An explicit show or hide is what isHidden reflects.
bool CDocTabCtrl::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowTitleChange:
    case QEvent::ModifiedChange:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
      PostRefresh();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void CDocTabCtrl::OnSelChange() {
  QMdiArea* area = MdiArea();
  if (QMdiSubWindow* window = GetTabWindow(m_nCurSel); window && area) area->setActiveSubWindow(window);
  RelayoutOwner();
}

void CDocTabCtrl::OnLButtonDblClk() {
  QMdiArea* area = MdiArea();
  QMdiSubWindow* window = GetTabWindow(m_nCurSel);
  if (!window || !area) return;
  if (window == area->currentSubWindow() && window->isMaximized()) {
    window->showNormal();
  } else {
    window->showMaximized();
  }
}

void CDocTabCtrl::FocusNextTab() { SetCurFocus(NextTabIndex(GetCurFocus(), GetItemCount())); }

void CDocTabCtrl::FocusPreviousTab() { SetCurFocus(PreviousTabIndex(GetCurFocus(), GetItemCount())); }

// ---- geometry and painting ------------------------------------------------

void CDocTabCtrl::InitTabOption(QStyleOptionTab* option, int tab) const {
  const Item& item = items[static_cast<std::size_t>(tab)];
  option->initFrom(this);
  option->state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
  option->shape = m_style.bottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth;
  option->text = Displayed(item.title);
  const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
  option->iconSize = QSize(iconSize, iconSize);
  if (item.image >= 0) option->icon = QIcon(imageList[static_cast<std::size_t>(item.image)]);
  option->documentMode = false;
}

namespace {

QSize TabSize(const QWidget* widget, QStyleOptionTab* option) {
  const QFontMetrics metrics(widget->font());
  QStyle* style = widget->style();
  const int hspace = style->pixelMetric(QStyle::PM_TabBarTabHSpace, option, widget);
  const int vspace = style->pixelMetric(QStyle::PM_TabBarTabVSpace, option, widget);
  const int iconWidth = option->icon.isNull() ? 0 : option->iconSize.width() + kIconGap;
  const QSize contents(metrics.size(Qt::TextShowMnemonic, option->text).width() + iconWidth + hspace,
                       std::max(metrics.height(), option->iconSize.height()) + vspace);
  return style->sizeFromContents(QStyle::CT_TabBarTab, option, contents, widget);
}

}  // namespace

void CDocTabCtrl::LayoutTabs() {
  QStyleOptionTab empty;
  empty.initFrom(this);
  empty.shape = m_style.bottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth;
  const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
  empty.iconSize = QSize(iconSize, iconSize);
  m_nTabHeight = TabSize(this, &empty).height();
  m_widths.clear();
  for (int i = 0; i < GetItemCount(); ++i) {
    QStyleOptionTab option;
    InitTabOption(&option, i);
    const QSize size = TabSize(this, &option);
    m_widths.push_back(size.width());
    m_nTabHeight = std::max(m_nTabHeight, size.height());
  }
  m_nButtonWidth = std::max(16, m_nTabHeight * 3 / 4);
  m_rows = LayoutFor(ClientRect(), m_nScroll);
  m_nScroll = m_rows.scroll;
}

void CDocTabCtrl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutTabs();
}

void CDocTabCtrl::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    LayoutTabs();
    if (owner) owner->SetLayoutDirty(true);
    PostRefresh();
    update();
  }
}

void CDocTabCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int w = width();
  const int h = height();
  painter.fillRect(rect(), palette().brush(QPalette::Window));
  // The sunken frame round the whole control.
  painter.fillRect(0, 0, w - 1, 1, palette().color(QPalette::Dark));
  painter.fillRect(0, 0, 1, h - 1, palette().color(QPalette::Dark));
  painter.fillRect(w - 1, 0, 1, h, palette().color(QPalette::Light));
  painter.fillRect(0, h - 1, w, 1, palette().color(QPalette::Light));

  const QRect client = ClientRect();
  if (client.isEmpty()) return;
  painter.setClipRect(client);

  // The pane the documents sit in; its edge shows round the display area.
  const QRect display = AdjustRect(client);
  const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
  QStyleOptionTabWidgetFrame pane;
  pane.initFrom(this);
  pane.shape = m_style.bottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth;
  pane.rect = display.isEmpty() ? QRect() : display.adjusted(-kPaneMargin, -kPaneMargin, kPaneMargin, kPaneMargin);
  if (!pane.rect.isEmpty()) {
    pane.tabBarRect = GetItemRect(m_nCurSel);
    pane.selectedTabRect = pane.tabBarRect;
    pane.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    if (m_style.bottom) {
      pane.rect.setBottom(pane.rect.bottom() + overlap);
    } else {
      pane.rect.setTop(pane.rect.top() - overlap);
    }
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &pane, &painter, this);
  }

  auto drawTab = [&](int tab) {
    QStyleOptionTab option;
    InitTabOption(&option, tab);
    option.rect = GetItemRect(tab);
    const std::size_t t = static_cast<std::size_t>(tab);
    const TabSlot& slot = m_rows.places[t];
    if (option.rect.width() < m_widths[t]) {
      // Narrowed to fit: the title gives up what the tab lacks.
      const QFontMetrics metrics(font());
      const int textWidth = metrics.horizontalAdvance(items[t].title) - (m_widths[t] - option.rect.width());
      option.text = Displayed(metrics.elidedText(items[t].title, Qt::ElideRight, std::max(textWidth, 0)));
    }
    const bool first = tab == 0 || m_rows.places[t - 1].row != slot.row;
    const bool last = tab + 1 == GetItemCount() || m_rows.places[t + 1].row != slot.row;
    option.position = first && last ? QStyleOptionTab::OnlyOneTab
                      : first       ? QStyleOptionTab::Beginning
                      : last        ? QStyleOptionTab::End
                                    : QStyleOptionTab::Middle;
    if (tab == m_nCurSel) option.state |= QStyle::State_Selected;
    if (tab == m_nHot && m_style.hotTrack) option.state |= QStyle::State_MouseOver;
    if (m_nCurSel >= 0 && m_rows.places[static_cast<std::size_t>(m_nCurSel)].row == slot.row) {
      if (m_nCurSel == tab - 1) option.selectedPosition = QStyleOptionTab::PreviousIsSelected;
      if (m_nCurSel == tab + 1) option.selectedPosition = QStyleOptionTab::NextIsSelected;
    }
    // Styles turn a tab drawn below its pane about the tab's own origin.
    painter.save();
    painter.translate(option.rect.topLeft());
    option.rect.moveTopLeft(QPoint(0, 0));
    style()->drawControl(QStyle::CE_TabBarTab, &option, &painter, this);
    painter.restore();
  };
  for (int i = 0; i < GetItemCount(); ++i) {
    if (i != m_nCurSel && m_rows.places[static_cast<std::size_t>(i)].line >= 0) drawTab(i);
  }
  if (m_nCurSel >= 0) drawTab(m_nCurSel);

  if (const QRect button = GetListButtonRect(); !button.isEmpty()) {
    QStyleOption option;
    option.initFrom(this);
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    option.rect = button.adjusted(1, 2, -1, -2);
    if (m_listMenu && m_listMenu->isVisible()) {
      option.state |= QStyle::State_Sunken;
    } else {
      option.state |= QStyle::State_Raised;
      if (m_bButtonHot) option.state |= QStyle::State_MouseOver;
    }
    style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, this);
    option.rect = button.adjusted(3, 4, -3, -4);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, this);
  }
}

bool CDocTabCtrl::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QRect button = GetListButtonRect();
    if (button.contains(help->pos())) {
      QToolTip::showText(help->globalPos(), QString::fromUtf8(str::kDocTabListTip), this, button);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

void CDocTabCtrl::wheelEvent(QWheelEvent* event) {
  if (m_rows.maxScroll <= 0) {
    event->ignore();
    return;
  }
  m_nWheel += event->angleDelta().y();
  const int rows = m_nWheel / kWheelStep;
  m_nWheel -= rows * kWheelStep;
  ScrollRows(-rows);
  event->accept();
}

// ---- mouse and drag -------------------------------------------------------

void CDocTabCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (GetListButtonRect().contains(event->position().toPoint())) {
    ShowDocumentList();
    return;
  }
  const int tab = HitTest(event->position().toPoint());
  if (tab >= 0 && tab != m_nCurSel) {
    SetCurSel(tab);
    OnSelChange();
  }
}

void CDocTabCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDblClk();
}

void CDocTabCtrl::mouseMoveEvent(QMouseEvent* event) {
  const bool buttonHot = GetListButtonRect().contains(event->position().toPoint());
  if (buttonHot != m_bButtonHot) {
    m_bButtonHot = buttonHot;
    update();
  }
  const int hot = HitTest(event->position().toPoint());
  if (hot != m_nHot) {
    m_nHot = hot;
    if (m_style.hotTrack) update();
  }
}

void CDocTabCtrl::leaveEvent(QEvent*) {
  if (m_bButtonHot) update();
  m_bButtonHot = false;
  if (m_nHot >= 0 && m_style.hotTrack) update();
  m_nHot = -1;
}

// Taking the enter is what lets the moves arrive; each move then refuses.
void CDocTabCtrl::dragEnterEvent(QDragEnterEvent* event) { event->accept(); }

void CDocTabCtrl::dragMoveEvent(QDragMoveEvent* event) {
  QMdiArea* area = MdiArea();
  if (QMdiSubWindow* window = GetTabWindow(HitTest(event->position().toPoint())); window && area) {
    area->setActiveSubWindow(window);
  }
  event->setDropAction(Qt::IgnoreAction);
  event->ignore();
}

void CDocTabCtrl::dropEvent(QDropEvent* event) { event->ignore(); }

}  // namespace corvella
