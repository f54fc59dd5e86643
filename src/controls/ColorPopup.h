// The colour pop-up: a borderless palette of 40 named colours with an automatic box above and a custom box below, holding the mouse and keyboard until a choice ends it.
#pragma once

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "controls/ColorPopupGrid.h"

class QPainter;

namespace corvella {

class CColorPopup : public QWidget {
  Q_OBJECT

 public:
  CColorPopup();
  ~CColorPopup() override;

  // Shows the pop-up at `point` (screen coordinates, the bottom-left corner
  // of `owner`) and takes the mouse and keyboard. A null text stands for the
  // built-in one; an empty text leaves its box out. The pop-up deletes
  // itself when the selection ends, or goes with its owner.
  bool Create(QPoint point, ColorRef initialColor, QWidget* owner, const QString& defaultText = QString(),
              const QString& customText = QString());

  int HotIndex() const { return hotIndex; }
  int ChosenIndex() const { return chosenIndex; }
  ColorRef CurrentColor() const { return currentColor; }
  const ColorPopupGrid& Grid() const { return *grid; }
  // Client rectangle of a cell, the automatic box (kCellAutomatic) or the custom box (kCellCustom).
  QRect CellRect(int index) const;
  // The tool tip over a client point: the colour's name over a colour cell.
  QString ToolTipAt(QPoint pos) const;

 signals:
  void SelChange(corvella::ColorRef color);
  void SelEndOk(corvella::ColorRef color);
  void SelEndCancel(corvella::ColorRef color);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class End { Ok, Cancel };

  void ChangeSelection(int index);
  void EndSelection(End end);
  void SetWindowSize(QPoint point);
  void DrawCell(QPainter& painter, int index) const;
  void DrawTextBox(QPainter& painter, int index) const;

  std::unique_ptr<ColorPopupGrid> grid;
  QPointer<QWidget> owner;
  QString defaultText;
  QString customText;
  QFont font;
  int hotIndex = kCellNone;
  int chosenIndex = kCellNone;
  ColorRef initialColor = kAutomaticColor;
  ColorRef currentColor = kAutomaticColor;
  bool ended = false;
  bool inColorDialog = false;
};

}  // namespace corvella
