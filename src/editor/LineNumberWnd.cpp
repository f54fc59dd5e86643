// The line-number gutter at the left edge of an edit control: numbers the visible rows, marks the caret's line, selects lines; breakpoints and the execution line in a strip left of the numbers.
#include "editor/LineNumberWnd.h"

#include <algorithm>

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QToolTip>

#include "editor/Cp932Text.h"
#include "editor/EditControl.h"

namespace corvella {

int CLineNumberWnd::s_nLastDragLine = 0;

CLineNumberWnd::CLineNumberWnd() : m_hCursor(MirroredArrowCursor()) {
  // Every row is filled, so nothing underneath needs painting first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QCursor CLineNumberWnd::MirroredArrowCursor() {
  constexpr int kSize = 32;
  QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    // The desktop's ordinary arrow, tip at the top-left pixel.
    const QPolygon arrow({{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9, 18}, {6, 11}, {11, 11}});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
  }
  // Pointing up and to the right, towards the numbers it selects.
  return QCursor(QPixmap::fromImage(image.mirrored(true, false)), kSize - 1, 0);
}

bool CLineNumberWnd::Create(int width, EditControl* parent) {
  if (!parent || m_pEdit) return false;
  m_pEdit = parent;
  m_nWidth = width;
  m_minWidth = width;
  QWidget* viewport = parent->viewport();
  m_viewport = viewport;
  setParent(viewport);
  setGeometry(0, 0, m_nWidth, 1);
  FollowParentHeight();
  viewport->installEventFilter(this);

  m_font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("monospace")});
  m_font.setStyleHint(QFont::TypeWriter);
  m_font.setPointSize(9);

  setCursor(m_hCursor);
  // A click in the gutter leaves the keyboard with the text it selected.
  setFocusProxy(parent);
  setFocusPolicy(Qt::ClickFocus);
  connect(parent, &EditControl::scrolled, this, qOverload<>(&QWidget::update));
  show();
  return true;
}

void CLineNumberWnd::FollowParentHeight() {
  if (m_viewport) setGeometry(0, 0, m_nStrip + m_nWidth, m_viewport->height());
}

void CLineNumberWnd::SetMarkStrip(int width) {
  width = std::max(0, width);
  if (width == m_nStrip) return;
  m_nStrip = width;
  FollowParentHeight();
  update();
}

bool CLineNumberWnd::FitNumbers(std::size_t lineCount) {
  const int width = GutterNumbersWidth(lineCount, QFontMetrics(m_font).horizontalAdvance(QLatin1Char('8')), m_minWidth);
  if (width == m_nWidth) return false;
  m_nWidth = width;
  FollowParentHeight();
  update();
  return true;
}

bool CLineNumberWnd::eventFilter(QObject* watched, QEvent* event) {
  // The viewport is compared as kept: events still reach it while the
  // control around it is being destroyed.
  if (m_viewport && watched == m_viewport && event->type() == QEvent::Resize) FollowParentHeight();
  return QWidget::eventFilter(watched, event);
}

int CLineNumberWnd::RowHeight() const { return m_pEdit ? std::max(1, m_pEdit->LineHeight()) : 1; }

QRect CLineNumberWnd::RowRect(long row) const {
  const int h = m_tm.tmHeight > 0 ? m_tm.tmHeight : RowHeight();
  // Rows far outside the gutter only need to stay outside it.
  const long rows = GutterRowCount(height(), h);
  row = std::clamp(row, -1L, rows);
  return QRect(0, static_cast<int>(row) * h, m_nStrip + m_nWidth, h);
}

GutterRepaint CLineNumberWnd::RepaintFor(int oldLine, int newLine) const {
  const int first = m_pEdit ? m_pEdit->FirstVisibleLine() : m_nFirstLine;
  return GutterRepaintFor(first, m_nFirstLine, oldLine, newLine);
}

void CLineNumberWnd::SetCurrentLine(int oldLine, int newLine) {
  m_nCurLine = newLine;
  if (!m_pEdit) return;
  const GutterRepaint repaint = RepaintFor(oldLine, newLine);
  if (repaint.all) {
    update();
  } else {
    update(RowRect(repaint.oldRow));
    update(RowRect(repaint.newRow));
  }
}

void CLineNumberWnd::paintEvent(QPaintEvent* event) {
  if (!m_pEdit) return;
  m_tm.tmHeight = RowHeight();
  const int h = m_tm.tmHeight;
  const int first = m_pEdit->FirstVisibleLine();
  const int rows = GutterRowCount(height(), h);
  const QColor currentBack(0, 0, 255);

  QPainter painter(this);
  painter.setFont(m_font);
  QRect row(m_nStrip, 0, m_nWidth, h);
  for (int k = 0; k < rows; ++k, row.translate(0, h)) {
    const long line = static_cast<long>(first) + k;
    if (m_nStrip > 0) {
      const QRect cell(0, row.top(), m_nStrip, h);
      if (cell.intersects(event->rect())) PaintMarks(painter, cell, line);
    }
    if (!row.intersects(event->rect())) continue;
    const bool current = line == m_nCurLine;
    const ErrorMarks::Mark* error = line >= 0 ? m_pEdit->Document().Errors().At(static_cast<std::size_t>(line)) : nullptr;
    painter.fillRect(row, current ? currentBack : error ? ErrorTint(error->kind) : m_crNumberBack);
    painter.setPen(current ? Qt::white : Qt::black);
    painter.setClipRect(row);
    painter.drawText(row, Qt::AlignCenter | Qt::TextSingleLine, QString::fromLatin1(GutterNumberText(line)));
    painter.setClipping(false);
  }
  m_nFirstLine = first;
}

// The strip's background, a red circle for a breakpoint, over it a
// right-pointing arrow for the execution line.
void CLineNumberWnd::PaintMarks(QPainter& painter, const QRect& cell, long line) const {
  painter.fillRect(cell, QColor(236, 236, 236));
  if (line < 0) return;
  const TextDocument& doc = m_pEdit->Document();
  const auto at = static_cast<std::size_t>(line);
  const bool breakpoint = doc.Breakpoints().Has(at);
  const bool execution = doc.ExecutionMark().Has(at);
  if (const ErrorMarks::Mark* error = doc.Errors().At(at)) {
    // A bar along the strip's right edge, beside the breakpoint's circle.
    const int bar = std::max(2, cell.width() / 6);
    painter.fillRect(QRect(cell.right() + 1 - bar, cell.top(), bar, cell.height()), ErrorColor(error->kind));
  }
  if (!breakpoint && !execution) return;
  const MarkShape shape = GutterMarkShape(cell.width(), cell.height());
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.translate(cell.topLeft());
  if (breakpoint) {
    painter.setPen(QPen(QColor(150, 0, 0), 1));
    painter.setBrush(QColor(220, 30, 30));
    painter.drawEllipse(QRectF(shape.circle.left, shape.circle.top, shape.circle.size, shape.circle.size));
  }
  if (execution) {
    QPolygonF arrow;
    for (const MarkShape::Point& p : shape.arrow) arrow << QPointF(p.x, p.y);
    painter.setPen(QPen(QColor(150, 90, 0), 1));
    painter.setBrush(QColor(255, 190, 0));
    painter.drawPolygon(arrow);
  }
  painter.restore();
}

QColor CLineNumberWnd::ErrorColor(ErrorMarks::Kind kind) {
  return kind == ErrorMarks::Kind::Error ? QColor(220, 0, 0) : QColor(230, 180, 0);
}

QColor CLineNumberWnd::ErrorTint(ErrorMarks::Kind kind) {
  return kind == ErrorMarks::Kind::Error ? QColor(255, 175, 175) : QColor(255, 240, 150);
}

// Over a marked row, Perl's messages for the line.
bool CLineNumberWnd::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip || !m_pEdit) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const long line = GutterLineAt(help->pos().y(), RowHeight(), m_nFirstLine);
  const ErrorMarks::Mark* mark = line >= 0 ? m_pEdit->Document().Errors().At(static_cast<std::size_t>(line)) : nullptr;
  if (mark) {
    QToolTip::showText(help->globalPos(), SjisToQString(mark->message), this, RowRect(line - m_nFirstLine));
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

void CLineNumberWnd::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_pEdit) {
    QWidget::mousePressEvent(event);
    return;
  }
  const EditBuffer& text = m_pEdit->Buffer();
  const int y = event->position().toPoint().y();
  if (event->position().toPoint().x() < m_nStrip) {
    event->accept();
    const long line = GutterLineAt(y, RowHeight(), m_nFirstLine);
    if (line >= 0 && static_cast<std::size_t>(line) < text.GetLineCount()) emit markClicked(static_cast<int>(line));
    return;
  }
  m_nAnchorLine = static_cast<int>(GutterClampLine(text, GutterLineAt(y, RowHeight(), m_nFirstLine)));
  const EditBuffer::Selection sel = GutterClickSelection(text, m_nAnchorLine);
  m_pEdit->SetSel(sel.anchor, sel.caret);
  m_pEdit->ScrollCaret();
  m_bCaptured = true;
  event->accept();
}

void CLineNumberWnd::mouseMoveEvent(QMouseEvent* event) {
  if (!m_bCaptured || !m_pEdit) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  event->accept();
  const EditBuffer& text = m_pEdit->Buffer();
  const int y = event->position().toPoint().y();
  const int line = static_cast<int>(GutterClampLine(text, GutterLineAt(y, RowHeight(), m_nFirstLine)));
  if (line == s_nLastDragLine) return;
  const EditBuffer::Selection sel = GutterDragSelection(text, m_nAnchorLine, line);
  m_pEdit->SetSel(sel.anchor, sel.caret);
  m_pEdit->ScrollCaret();
  s_nLastDragLine = line;
  update();
}

void CLineNumberWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && m_bCaptured) {
    m_bCaptured = false;
    event->accept();
    return;
  }
  QWidget::mouseReleaseEvent(event);
}

}  // namespace corvella
