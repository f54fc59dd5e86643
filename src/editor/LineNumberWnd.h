// The line-number gutter at the left edge of an edit control: numbers the visible rows, marks the caret's line, selects lines; a strip left of the numbers shows breakpoints, the execution line and Perl's error marks.
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QWidget>

#include "document/ErrorMarks.h"
#include "document/GutterRows.h"

class QPainter;

namespace corvella {

class EditControl;

class CLineNumberWnd : public QWidget {
  Q_OBJECT

 public:
  CLineNumberWnd();

  // Makes the gutter a visible child of `parent`'s viewport at its top-left
  // corner, `width` pixels wide and as high as the viewport.
  bool Create(int width, EditControl* parent);
  // A strip `width` pixels wide (0: none) at the gutter's left edge, the
  // numbers keeping their width right of it: a red circle on each of the
  // document's breakpoints, an arrow on its execution line, a red or yellow
  // bar at its right edge on a line with Perl's error or warning (the line's
  // number tinted, its messages the row's tooltip). A click in it
  // asks for the row's breakpoint to be toggled (markClicked), selecting
  // nothing. The gutter widens by the strip.
  void SetMarkStrip(int width);
  // Widens (or narrows, not below the width it was made with) the numbers to
  // fit every line number of a text of `lineCount` lines; true when it changed.
  bool FitNumbers(std::size_t lineCount);
  int NumbersWidth() const { return m_nWidth; }
  int MarkStripWidth() const { return m_nStrip; }

  // Moves the highlight; repaints only the two rows while the control has
  // not scrolled since the last paint, otherwise everything.
  void SetCurrentLine(int oldLine, int newLine);
  int CurrentLine() const { return m_nCurLine; }
  // The control's first visible line when the gutter was last painted.
  int FirstLine() const { return m_nFirstLine; }
  // What SetCurrentLine(oldLine, newLine) would repaint now.
  GutterRepaint RepaintFor(int oldLine, int newLine) const;

  // The cursor shown over the gutter: an arrow pointing up and to the right,
  // hot spot at its tip.
  static QCursor MirroredArrowCursor();
  // The bar of an error or warning mark in the strip, and the tint behind
  // its line number.
  static QColor ErrorColor(ErrorMarks::Kind kind);
  static QColor ErrorTint(ErrorMarks::Kind kind);

 signals:
  // A click in the mark strip on a line of the text (zero-based).
  void markClicked(int line);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int RowHeight() const;
  QRect RowRect(long row) const;
  void FollowParentHeight();
  void PaintMarks(QPainter& painter, const QRect& cell, long line) const;

  QColor m_crNumberBack{0, 255, 255};
  int m_nWidth = 0;  // the numbers' width
  int m_minWidth = 0;  // the width it was made with
  int m_nStrip = 0;  // the mark strip's width, left of the numbers
  int m_nCurLine = 0;
  int m_nAnchorLine = 0;
  QCursor m_hCursor;
  QFont m_font;
  struct {
    int tmHeight = 0;  // the control's line height at the last paint
  } m_tm;
  int m_nFirstLine = 0;
  EditControl* m_pEdit = nullptr;
  QWidget* m_viewport = nullptr;  // the control's viewport, our parent
  bool m_bCaptured = false;

  // The line of the last drag update, shared by every gutter and kept from
  // one drag to the next.
  static int s_nLastDragLine;
};

}  // namespace corvella
