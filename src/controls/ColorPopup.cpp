// The colour pop-up: a borderless palette of 40 named colours with an automatic box above and a custom box below, holding the mouse and keyboard until a choice ends it.
#include "controls/ColorPopup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <qdrawutil.h>

#include "base/EditorFont.h"
#include "base/Responders.h"
#include "res/Strings.h"

namespace corvella {
namespace {

// The width of a 3D edge, as the cells' margin.
constexpr int kEdge = 2;

// Run as the responders of `parent`'s window run dialogs.
std::optional<ColorRef> RunColorDialog(QWidget* parent, ColorRef initial) {
  QColorDialog dialog(ColorFromRef(initial, 0x000000), parent);
  if (RunModal(dialog) != QDialog::Accepted) return std::nullopt;
  const QColor c = dialog.selectedColor();
  return MakeColorRef(c.red(), c.green(), c.blue());
}

QRect ToQRect(const ColorPopupGrid::Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// A one-pixel edge: `topLeft` along the top and left, `bottomRight` along the bottom and right.
void DrawThinEdge(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  p.fillRect(r.left(), r.top(), r.width(), 1, topLeft);
  p.fillRect(r.left(), r.top(), 1, r.height(), topLeft);
  p.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
  p.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
}

}  // namespace


CColorPopup::CColorPopup() : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_DeleteOnClose);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

CColorPopup::~CColorPopup() = default;

bool CColorPopup::Create(QPoint point, ColorRef initial, QWidget* ownerWidget, const QString& defaultCaption,
                         const QString& customCaption) {
  if (!ownerWidget || grid) return false;
  owner = ownerWidget;
  // A child of its owner, so that it never outlives the button it reports to.
  setParent(ownerWidget, Qt::Popup | Qt::FramelessWindowHint);
  defaultText = defaultCaption.isNull() ? QString::fromUtf8(str::kColorPopupAutomatic) : defaultCaption;
  customText = customCaption.isNull() ? QString::fromUtf8(str::kColorPopupCustom) : customCaption;
  font = QApplication::font();
  initialColor = initial;
  currentColor = initial;
  SetWindowSize(point);
  chosenIndex = grid->ChosenIndex(initial);
  hotIndex = kCellNone;

  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive && !inColorDialog) EndSelection(End::Cancel);
  });
  show();
  setFocus(Qt::PopupFocusReason);
  return true;
}

void CColorPopup::SetWindowSize(QPoint point) {
  const QFontMetrics fm(font);
  const ColorPopupGrid::Size defaultSize{fm.horizontalAdvance(defaultText), fm.height()};
  const ColorPopupGrid::Size customSize{fm.horizontalAdvance(customText), fm.height()};
  grid = std::make_unique<ColorPopupGrid>(kEdge, !defaultText.isEmpty(), defaultSize, !customText.isEmpty(),
                                          customSize);
  const QScreen* screen = owner->screen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 20, 1 << 20);
  const ColorPopupGrid::Rect windowRect =
      grid->WindowRect(point.x(), point.y(), {area.left(), area.top(), area.left() + area.width(),
                                              area.top() + area.height()},
                       owner->height());
  setGeometry(ToQRect(windowRect));
}

QRect CColorPopup::CellRect(int index) const {
  if (!grid) return QRect();
  if (index == kCellAutomatic) return ToQRect(grid->DefaultRect());
  if (index == kCellCustom) return ToQRect(grid->CustomRect());
  if (index < 0 || index >= kColorTableCount) return QRect();
  return ToQRect(grid->CellRect(index));
}

QString CColorPopup::ToolTipAt(QPoint pos) const {
  if (!grid) return QString();
  const int index = grid->HitTest(pos.x(), pos.y());
  if (index < 0) return QString();
  return QString::fromLatin1(ColorTable[static_cast<std::size_t>(index)].name);
}

void CColorPopup::ChangeSelection(int index) {
  index = ColorPopupGrid::ClampIndex(index);
  update(CellRect(hotIndex));
  hotIndex = index;
  update(CellRect(hotIndex));
  if (index == kCellNone) return;
  // The custom box has no colour until its dialog gives one.
  if (index != kCellCustom) currentColor = ColorPopupGrid::CellColor(index, initialColor);
  emit SelChange(index == kCellCustom ? initialColor : currentColor);
}

void CColorPopup::EndSelection(End end) {
  if (ended) return;
  ended = true;
  QPointer<CColorPopup> self(this);
  if (end == End::Cancel) {
    currentColor = initialColor;
  } else if (hotIndex == kCellCustom) {
    // Out of the way first, so that the dialog gets the mouse and keyboard.
    inColorDialog = true;
    hide();
    const std::optional<ColorRef> chosen = RunColorDialog(owner ? owner->window() : nullptr, initialColor);
    if (!self) return;
    inColorDialog = false;
    if (chosen) {
      currentColor = *chosen;
    } else {
      end = End::Cancel;
      currentColor = initialColor;
    }
  }
  hide();
  if (end == End::Ok) emit SelEndOk(currentColor);
  else emit SelEndCancel(currentColor);
  if (self) deleteLater();
}

bool CColorPopup::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(e);
    const QString tip = ToolTipAt(help->pos());
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), tip, this, CellRect(grid->HitTest(help->pos().x(), help->pos().y())));
    }
    return true;
  }
  return QWidget::event(e);
}

void CColorPopup::paintEvent(QPaintEvent*) {
  if (!grid) return;
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Button));
  if (grid->HasDefault()) DrawTextBox(p, kCellAutomatic);
  for (int i = 0; i < kColorTableCount; ++i) DrawCell(p, i);
  if (grid->HasCustom()) DrawTextBox(p, kCellCustom);
  qDrawWinPanel(&p, rect(), palette(), false);
}

void CColorPopup::DrawCell(QPainter& p, int index) const {
  const QPalette& pal = palette();
  const QRect r = CellRect(index);
  const bool hot = index == hotIndex;
  const bool chosen = index == chosenIndex;
  p.fillRect(r, pal.color(chosen && !hot ? QPalette::Light : QPalette::Button));
  if (hot) DrawThinEdge(p, r, pal.color(QPalette::Light), pal.color(QPalette::Dark));
  else if (chosen) DrawThinEdge(p, r, pal.color(QPalette::Dark), pal.color(QPalette::Light));
  const int inset = grid->Margin() + 1;
  const QRect swatch = r.adjusted(inset, inset, -inset, -inset);
  p.fillRect(swatch, ColorFromRef(ColorTable[static_cast<std::size_t>(index)].color, 0));
  p.setPen(pal.color(QPalette::Dark));
  p.setBrush(Qt::NoBrush);
  p.drawRect(swatch.adjusted(0, 0, -1, -1));
}

void CColorPopup::DrawTextBox(QPainter& p, int index) const {
  const QPalette& pal = palette();
  const int m = grid->Margin();
  QRect r = CellRect(index);
  if (index == kCellCustom) {
    // A separator over the box, in the gap above it.
    const int x = r.left() + 2 * m;
    const int width = r.width() - 4 * m;
    p.fillRect(x, r.top(), width, 1, pal.color(QPalette::Dark));
    p.fillRect(x, r.top() + 1, width, 1, pal.color(QPalette::Light));
    r.setTop(r.top() + 2 * m);
  }
  const bool hot = index == hotIndex;
  const bool chosen = index == chosenIndex;
  p.fillRect(r, pal.color(QPalette::Button));
  const QRect inner = r.adjusted(1, 1, -1, -1);
  p.fillRect(inner, pal.color(chosen && !hot ? QPalette::Midlight : QPalette::Button));
  if (index == kCellAutomatic) {
    p.setPen(pal.color(QPalette::Dark));
    p.setBrush(Qt::NoBrush);
    p.drawRect(inner.adjusted(2 * m, 2 * m, -2 * m - 1, -2 * m - 1));
  }
  if (hot) DrawThinEdge(p, r, pal.color(QPalette::Light), pal.color(QPalette::Dark));
  else if (chosen) DrawThinEdge(p, r, pal.color(QPalette::Dark), pal.color(QPalette::Light));
  p.setFont(font);
  p.setPen(pal.color(QPalette::ButtonText));
  p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, index == kCellAutomatic ? defaultText : customText);
}

void CColorPopup::mouseMoveEvent(QMouseEvent* e) {
  if (!grid || ended) return;
  const QPoint pos = e->position().toPoint();
  const int index = grid->HitTest(pos.x(), pos.y());
  if (index != kCellNone && index != hotIndex) ChangeSelection(index);
}

void CColorPopup::mousePressEvent(QMouseEvent* e) {
  // A press anywhere, inside or out, waits for its release to decide.
  e->accept();
}

void CColorPopup::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  EndSelection(rect().contains(e->position().toPoint()) ? End::Ok : End::Cancel);
}

void CColorPopup::keyPressEvent(QKeyEvent* e) {
  if (!grid) return;
  switch (e->key()) {
    case Qt::Key_Down:
      ChangeSelection(grid->Move(hotIndex, ColorPopupGrid::Arrow::Down));
      return;
    case Qt::Key_Up:
      ChangeSelection(grid->Move(hotIndex, ColorPopupGrid::Arrow::Up));
      return;
    case Qt::Key_Right:
      ChangeSelection(grid->Move(hotIndex, ColorPopupGrid::Arrow::Right));
      return;
    case Qt::Key_Left:
      ChangeSelection(grid->Move(hotIndex, ColorPopupGrid::Arrow::Left));
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      EndSelection(End::Ok);
      return;
    case Qt::Key_Escape:
      EndSelection(End::Cancel);
      return;
    default:
      QWidget::keyPressEvent(e);
  }
}

void CColorPopup::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  if (grid && !inColorDialog && isVisible()) EndSelection(End::Cancel);
}

void CColorPopup::closeEvent(QCloseEvent* e) {
  // Closed from outside (the window system, another pop-up): a cancel.
  if (grid && !inColorDialog) EndSelection(End::Cancel);
  e->accept();
}

}  // namespace corvella
