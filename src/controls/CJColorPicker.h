// The colour button: a hand-drawn push button showing its colour as a swatch beside a drop-down arrow; a click opens the colour pop-up.
#pragma once

#include <QPointer>
#include <QPushButton>
#include <QString>

#include "base/Settings.h"
#include "controls/ColorPopup.h"

namespace corvella {

class CCJColorPicker : public QPushButton {
  Q_OBJECT

 public:
  explicit CCJColorPicker(QWidget* parent = nullptr);
  ~CCJColorPicker() override;

  // Through colorTarget: 1 the caption colour, anything else the swatch colour.
  ColorRef GetColor() const;
  void SetColor(ColorRef color);
  // Store and repaint at once.
  void SetBackColor(ColorRef color);
  void SetForeColor(ColorRef color);
  ColorRef GetBackColor() const { return backColor; }
  ColorRef GetForeColor() const { return foreColor; }

  // The open pop-up, null when none is open.
  CColorPopup* Popup() const { return popup_; }

  bool popupActive = false;
  // A colour under the pointer in the pop-up is applied at once.
  bool trackSelection = false;
  int colorTarget = 2;
  QString defaultText;
  QString customText;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // Each carries a colour: the hot cell's, the picker's at opening, the one
  // chosen, or the initial one come back after a cancel.
  void PickerSelChange(corvella::ColorRef color);
  void PickerDropDown(corvella::ColorRef color);
  void PickerCloseUp(corvella::ColorRef color);
  void PickerSelEndOk(corvella::ColorRef color);
  void PickerSelEndCancel(corvella::ColorRef color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void OnClicked();
  void OnSelEndOk(ColorRef color);
  void OnSelEndCancel(ColorRef color);
  void OnSelChange(ColorRef color);
  // The square of the arrow and the swatch's height.
  int Side() const;

  ColorRef backColor;
  ColorRef foreColor;
  QPointer<CColorPopup> popup_;
};

}  // namespace corvella
