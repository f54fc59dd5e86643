// The colour button: a hand-drawn push button showing its colour as a swatch beside a drop-down arrow; a click opens the colour pop-up.
#include "controls/CJColorPicker.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <qdrawutil.h>

#include <algorithm>

#include "base/EditorFont.h"
#include "controls/ColorPopup.h"
#include "res/Strings.h"

namespace corvella {
namespace {

// The width of a 3D edge.
constexpr int kEdge = 2;

ColorRef RefFromColor(const QColor& c) { return MakeColorRef(c.red(), c.green(), c.blue()); }

}  // namespace

CCJColorPicker::CCJColorPicker(QWidget* parent)
    : QPushButton(parent),
      defaultText(QString::fromUtf8(str::kColorPickerAutomatic)),
      customText(QString::fromUtf8(str::kColorPickerCustom)),
      backColor(RefFromColor(palette().color(QPalette::Button))),
      foreColor(RefFromColor(palette().color(QPalette::ButtonText))) {
  // Enter in a dialog stays with its default button.
  setAutoDefault(false);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  connect(this, &QPushButton::clicked, this, &CCJColorPicker::OnClicked);
}

CCJColorPicker::~CCJColorPicker() = default;

ColorRef CCJColorPicker::GetColor() const { return colorTarget == 1 ? foreColor : backColor; }

void CCJColorPicker::SetColor(ColorRef color) {
  if (colorTarget == 1) SetForeColor(color);
  else SetBackColor(color);
}

void CCJColorPicker::SetBackColor(ColorRef color) {
  backColor = color;
  repaint();
}

void CCJColorPicker::SetForeColor(ColorRef color) {
  foreColor = color;
  repaint();
}

int CCJColorPicker::Side() const {
  return std::max(5 * kEdge, style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

QSize CCJColorPicker::minimumSizeHint() const {
  const int side = Side();
  return QSize(2 * (kEdge + side), side + 2 * kEdge);
}

QSize CCJColorPicker::sizeHint() const {
  QSize size = minimumSizeHint();
  if (!text().isEmpty()) size.setWidth(std::max(size.width(), fontMetrics().horizontalAdvance(text()) + 2 * Side()));
  return size;
}

void CCJColorPicker::OnClicked() {
  if (popup_) return;
  popupActive = true;
  repaint();
  auto* popup = new CColorPopup;
  connect(popup, &CColorPopup::SelEndOk, this, &CCJColorPicker::OnSelEndOk);
  connect(popup, &CColorPopup::SelEndCancel, this, &CCJColorPicker::OnSelEndCancel);
  connect(popup, &CColorPopup::SelChange, this, &CCJColorPicker::OnSelChange);
  popup_ = popup;
  popup->Create(mapToGlobal(QPoint(0, height())), GetColor(), this, defaultText, customText);
  emit PickerDropDown(GetColor());
}

void CCJColorPicker::OnSelEndOk(ColorRef color) {
  popupActive = false;
  popup_ = nullptr;
  SetColor(color);
  emit PickerCloseUp(color);
  emit PickerSelEndOk(color);
}

void CCJColorPicker::OnSelEndCancel(ColorRef color) {
  popupActive = false;
  popup_ = nullptr;
  SetColor(color);
  emit PickerCloseUp(color);
  emit PickerSelEndCancel(color);
}

void CCJColorPicker::OnSelChange(ColorRef color) {
  if (trackSelection) SetColor(color);
  emit PickerSelChange(color);
}

void CCJColorPicker::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  const bool enabled = isEnabled();
  const bool pressed = isDown() || popupActive;
  const QRect item = rect();
  const QColor face = pal.color(QPalette::Button);
  p.fillRect(item, face);

  // The drop-down arrow in the rightmost column, flat: only its glyph shows.
  const int thumb = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const QRect arrow(item.right() + 1 - thumb, item.top(), thumb, item.height());
  QStyleOption glyph;
  glyph.initFrom(this);
  glyph.rect = arrow.adjusted(kEdge, kEdge, -kEdge, -kEdge);
  if (pressed) glyph.rect.translate(1, 1);
  if (!enabled) glyph.state &= ~QStyle::State_Enabled;
  glyph.palette.setColor(QPalette::ButtonText, pal.color(enabled ? QPalette::Active : QPalette::Disabled,
                                                         QPalette::ButtonText));
  style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &glyph, &p, this);

  // Separator between swatch and arrow, short of the edges.
  const int top = item.top() + kEdge + 2;
  const int height = item.height() - 2 * (kEdge + 2);
  p.fillRect(arrow.left() - 2, top, 1, height, pal.color(QPalette::Dark));
  p.fillRect(arrow.left() - 1, top, 1, height, pal.color(QPalette::Light));

  qDrawWinButton(&p, item, pal, pressed);

  const QRect inside = item.adjusted(kEdge, kEdge, -kEdge, -kEdge);
  if (hasFocus()) {
    p.setPen(QPen(pal.color(QPalette::ButtonText), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(inside.adjusted(0, 0, -1, -1));
  }

  QRect swatch = inside.adjusted(2, 2, -2, -2);
  swatch.setRight(arrow.left() - 4 - 1);
  if (pressed) swatch.translate(1, 1);
  if (swatch.width() > 0 && swatch.height() > 0) {
    const bool automatic = backColor == kAutomaticColor;
    p.setPen(enabled ? Qt::black : Qt::white);
    p.setBrush(enabled && !automatic ? ColorFromRef(backColor, 0) : face);
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
  }

  if (!text().isEmpty()) {
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if (enabled) {
      p.setPen(ColorFromRef(foreColor, 0x000000));
      p.drawText(swatch, flags, text());
    } else {
      p.setPen(pal.color(QPalette::Light));
      p.drawText(swatch.translated(1, 1), flags, text());
      p.setPen(pal.color(QPalette::Dark));
      p.drawText(swatch, flags, text());
    }
  }
}

}  // namespace corvella
