// The multi-line edit control: draws an EditBuffer in a fixed-pitch grid and turns keys, mouse and input methods into edits.
#include "editor/EditControl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

#include "editor/Cp932Text.h"
#include "document/SjisChar.h"

namespace corvella {
namespace {

enum class CharClass { Blank, Word, Japanese, Break, Other };

CharClass ClassOf(const EditBuffer& b, std::size_t pos) {
  const unsigned char c = b.ByteAt(pos);
  if (c == ' ' || c == '\t') return CharClass::Blank;
  if (c == '\r' || c == '\n') return CharClass::Break;
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_') return CharClass::Word;
  if (c >= 0x80) return CharClass::Japanese;
  return CharClass::Other;
}

}  // namespace

EditControl::EditControl(QWidget* parent)
    : QAbstractScrollArea(parent), doc_(std::make_shared<TextDocument>()) {
  Attach();
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, true);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAutoFillBackground(false);
  QFont f(QStringLiteral("IPAGothic"));
  f.setPointSize(12);
  SetEditorFont(f);
  const int flash = QGuiApplication::styleHints()->cursorFlashTime();
  blink_.setInterval(flash > 0 ? flash / 2 : 500);
  connect(&blink_, &QTimer::timeout, this, &EditControl::BlinkCaret);
  autoScroll_.setInterval(50);
  connect(&autoScroll_, &QTimer::timeout, this, &EditControl::AutoScroll);
  UpdateScrollBars();
}

EditControl::~EditControl() { Detach(); }

void EditControl::Attach() {
  viewId_ = doc_->AddView();
  Buf().AddListener(this);
}

void EditControl::Detach() {
  Buf().RemoveListener(this);
  doc_->RemoveView(viewId_);
}

void EditControl::SetDocument(std::shared_ptr<TextDocument> document) {
  if (!document || document == doc_) return;
  const std::size_t limit = Buf().GetLimitText();
  Detach();
  doc_ = std::move(document);
  m_cells.Clear();
  ForgetRuns();
  Attach();
  // A view raises the limit it needs; a shared text keeps the highest.
  if (Buf().GetLimitText() < limit) Buf().SetLimitText(limit);
  widest_ = 0;
  goalColumn_ = -1;
  UpdateScrollBars();
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  viewport()->update();
  emit textChanged();  // another text is shown
}

std::string EditControl::SelText() const {
  const EditBuffer::Selection sel = Sel();
  return Buf().GetText(sel.Start(), sel.End());
}

// ---------------------------------------------------------------- settings

void EditControl::SetEditorFont(const QFont& font) {
  font_ = font;
  font_.setStyleHint(QFont::TypeWriter);
  font_.setFixedPitch(true);
  font_.setKerning(false);
  UpdateMetrics();
}

void EditControl::UpdateMetrics() {
  const QFontMetricsF fm(font_);
  cellWidth_ = std::max<qreal>(1, fm.horizontalAdvance(QLatin1Char('M')));
  lineHeight_ = std::max(1, static_cast<int>(std::ceil(fm.height())));
  ascent_ = static_cast<int>(std::ceil(fm.ascent()));
  widest_ = 0;
  UpdateScrollBars();
  viewport()->update();
  ReportCaret();
}

void EditControl::SetMargins(int left, int right) {
  leftMargin_ = std::max(0, left);
  rightMargin_ = std::max(0, right);
  UpdateScrollBars();
  viewport()->update();
  ReportCaret();
}

void EditControl::SetTabWidth(int characters) {
  layout_.SetTabWidth(characters);
  m_cells.Clear();
  widest_ = 0;
  UpdateScrollBars();
  viewport()->update();
  ReportCaret();
}

void EditControl::SetTextColors(QColor back, QColor text) {
  back_ = back;
  text_ = text;
  viewport()->update();
}

void EditControl::SetReadOnly(bool readOnly) {
  Buf().SetReadOnly(readOnly);
  setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
}

void EditControl::SetRedraw(bool on) {
  redraw_ = on;
  viewport()->setUpdatesEnabled(on);
  if (on) {
    UpdateScrollBars();
    viewport()->update();
  }
}

// ---------------------------------------------------------------- geometry

QRect EditControl::FormattingRect() const {
  QRect r = viewport()->rect();
  r.setLeft(r.left() + leftMargin_);
  r.setRight(r.right() - rightMargin_);
  return r;
}

int EditControl::FirstVisibleLine() const { return verticalScrollBar()->value(); }

void EditControl::SetFirstVisibleLine(int line) { verticalScrollBar()->setValue(line); }

int EditControl::VisibleLineCount() const { return std::max(1, viewport()->height() / lineHeight_); }

void EditControl::ScrollColumns(int columns) {
  QScrollBar* h = horizontalScrollBar();
  const int target = h->value() + static_cast<int>(std::lround(columns * cellWidth_));
  if (target > h->maximum()) WidenTo(target + FormattingRect().width());
  h->setValue(target);
}

void EditControl::UpdateScrollBars() {
  const int rows = VisibleLineCount();
  const int lines = static_cast<int>(std::min<std::size_t>(Buf().GetLineCount(), INT32_MAX));
  QScrollBar* v = verticalScrollBar();
  v->setPageStep(rows);
  v->setSingleStep(1);
  v->setRange(0, std::max(0, lines - rows));
  QScrollBar* h = horizontalScrollBar();
  const int width = FormattingRect().width();
  h->setPageStep(std::max(1, width));
  h->setSingleStep(std::max(1, static_cast<int>(cellWidth_)));
  h->setRange(0, std::max(0, widest_ + static_cast<int>(cellWidth_ * 2) - width));
}

void EditControl::WidenTo(int pixels) {
  if (pixels <= widest_) return;
  widest_ = pixels;
  UpdateScrollBars();
}

QPoint EditControl::PosFromChar(std::size_t pos) const {
  pos = std::min(pos, Buf().GetTextLength());
  const std::size_t line = Buf().LineFromChar(pos);
  const QRect fr = FormattingRect();
  const int x = fr.left() + static_cast<int>(std::lround(ColumnOf(line, pos) * cellWidth_)) -
                horizontalScrollBar()->value();
  const int y = fr.top() + (static_cast<int>(line) - FirstVisibleLine()) * lineHeight_;
  return {x, y};
}

std::size_t EditControl::CharFromPos(QPoint point) const {
  const QRect fr = FormattingRect();
  const int row = static_cast<int>(std::floor((point.y() - fr.top()) / static_cast<double>(lineHeight_)));
  const long long line = static_cast<long long>(FirstVisibleLine()) + row;
  if (line < 0) return 0;
  if (static_cast<std::size_t>(line) >= Buf().GetLineCount()) return Buf().GetTextLength();
  const qreal column = (point.x() - fr.left() + horizontalScrollBar()->value()) / cellWidth_;
  return PosAtColumn(static_cast<std::size_t>(line), std::max<qreal>(0, column));
}

std::size_t EditControl::PreeditPos() const {
  const EditBuffer::Selection sel = Sel();
  if (preedit_.isEmpty() || sel.IsEmpty()) return sel.caret;
  return std::max(sel.Start(), Buf().LineIndex(Buf().LineFromChar(sel.caret)));
}

QRect EditControl::CaretRect() const {
  const QPoint p = PosFromChar(PreeditPos());
  const int x = p.x() + static_cast<int>(std::lround(PreeditCells(preeditCursor_) * cellWidth_));
  return QRect(x, p.y(), 2, lineHeight_);
}

// ---------------------------------------------------------------- text

void EditControl::SetText(std::string_view bytes) { Own().SetText(bytes); }

void EditControl::SetSel(std::size_t anchor, std::size_t caret) {
  goalColumn_ = -1;
  Own().SetSel(anchor, caret);
}

void EditControl::ReplaceSel(std::string_view bytes) {
  if (!Own().ReplaceSel(bytes)) QApplication::beep();
}

void EditControl::ScrollCaret() {
  const std::size_t caret = Sel().caret;
  const int line = static_cast<int>(Buf().LineFromChar(caret));
  const int rows = VisibleLineCount();
  const int first = FirstVisibleLine();
  if (line < first) SetFirstVisibleLine(line);
  else if (line >= first + rows) SetFirstVisibleLine(line - rows + 1);

  // While composing, the pre-edit's cursor is what must be seen.
  const int cell = ColumnOf(static_cast<std::size_t>(line), PreeditPos()) + PreeditCells(preeditCursor_);
  const int x = static_cast<int>(std::lround(cell * cellWidth_));
  const int width = FormattingRect().width();
  QScrollBar* h = horizontalScrollBar();
  WidenTo(x + static_cast<int>(cellWidth_) * 2);
  if (x < h->value()) h->setValue(std::max(0, x - width / 4));
  else if (x + cellWidth_ * 2 > h->value() + width) h->setValue(x - width * 3 / 4);
}

void EditControl::MoveCaret(std::size_t pos, bool extend) {
  const EditBuffer::Selection sel = Sel();
  Own().SetSel(extend ? sel.anchor : pos, pos);
  ScrollCaret();
  RestartBlink();
}

void EditControl::SelectAll() {
  goalColumn_ = -1;
  Own().SetSel(0, Buf().GetTextLength());
}

std::optional<std::string> EditControl::ClipboardText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return std::nullopt;
  return QStringToSjis(data->text());
}

void EditControl::Copy() {
  if (!HasSelection()) return;
  QGuiApplication::clipboard()->setText(SjisToOutsideText(SelText()));
}

void EditControl::Cut() {
  if (!HasSelection() || IsReadOnly()) return;
  Copy();
  Clear();
}

void EditControl::Paste() {
  if (IsReadOnly()) return;
  if (const auto text = ClipboardText()) {
    ReplaceSel(*text);
    ScrollCaret();
  }
}

void EditControl::Clear() {
  if (!HasSelection() || IsReadOnly()) return;
  ReplaceSel({});
  ScrollCaret();
}

// ---------------------------------------------------------------- buffer notifications

void EditControl::TextChanged(const EditBuffer::TextChange& change) {
  m_cells.TextChanged(change);
  // Past the coloured part of a long line, no colour changes (nor does any
  // line state: LineStateStore).
  if (!change.LeavesLineHead(kColouredPrefix)) ForgetRuns();
  if (change.wholeText) widest_ = 0;
  if (redraw_) {
    UpdateScrollBars();
    viewport()->update();
  }
  // A new text shows from its top; one read again keeps its place.
  if (change.wholeText && !doc_->Reloading()) {
    goalColumn_ = -1;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
  }
  emit textChanged();
}

void EditControl::SelectionChanged(const EditBuffer::Selection&, const EditBuffer::Selection&) {
  if (redraw_) viewport()->update();
  RestartBlink();
  ReportCaret();
  emit selectionChanged();
}

// ---------------------------------------------------------------- painting

void EditControl::LineRuns(std::size_t, std::string_view, std::vector<TextRun>& runs) { runs.clear(); }

QColor EditControl::ColorOf(LexClass) const { return text_; }

void EditControl::AfterPaint(int, int) {}

void EditControl::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
  ReportCaret();
}

void EditControl::scrollContentsBy(int, int) {
  viewport()->update();
  ReportCaret();
  emit scrolled();
}

// ---------------------------------------------------------------- caret

void EditControl::BlinkCaret() {
  // Left alone, the caret stays shown and no timer wakes the program.
  const bool idle = m_sinceInput.isValid() && m_sinceInput.elapsed() >= kBlinkForMs;
  if (idle) blink_.stop();
  caretOn_ = idle || !caretOn_;
  viewport()->update(CaretRect().adjusted(-1, 0, 1, 0));
}

void EditControl::RestartBlink() {
  caretOn_ = true;
  m_sinceInput.start();
  if (hasFocus()) blink_.start();
  viewport()->update();
}

void EditControl::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  RestartBlink();
}

void EditControl::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  blink_.stop();
  viewport()->update();
}

// ---------------------------------------------------------------- keyboard

bool EditControl::focusNextPrevChild(bool) { return false; }

bool EditControl::event(QEvent* event) {
  // Keys that type text or move the caret belong to the control, not to
  // shortcuts of the windows around it.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const auto mods = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (mods == Qt::NoModifier && !key->text().isEmpty() && key->text().at(0).isPrint()) {
      event->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

void EditControl::keyPressEvent(QKeyEvent* event) {
  if (hasFocus() && !blink_.isActive()) RestartBlink();
  if (KeyDownMessage(event)) {
    event->accept();
    return;
  }
  const auto mods = event->modifiers();
  const QString text = event->text();
  // Alt with a letter is a menu mnemonic, never text.
  if (text.isEmpty() || (mods & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier))) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  event->accept();
  for (const char32_t ch : text.toUcs4()) {
    if (ch < 0x20 || ch == 0x7F) continue;  // control keys come through KeyDownMessage
    const auto bytes = CharToSjis(ch);
    if (!bytes) {
      QApplication::beep();
      continue;
    }
    CharMessage(*bytes);
  }
}

bool EditControl::KeyDownMessage(QKeyEvent* event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const EditBuffer::Selection sel = Sel();
  const std::size_t caret = sel.caret;
  const std::size_t line = Buf().LineFromChar(caret);

  if (event->matches(QKeySequence::Copy)) { Copy(); return true; }
  if (event->matches(QKeySequence::SelectAll)) { SelectAll(); return true; }
  if (event->matches(QKeySequence::Cut)) { Cut(); return true; }
  if (event->matches(QKeySequence::Paste)) { Paste(); return true; }

  auto verticalTo = [&](long long target) {
    const long long last = static_cast<long long>(Buf().GetLineCount()) - 1;
    target = std::clamp<long long>(target, 0, last);
    if (goalColumn_ < 0) goalColumn_ = ColumnOf(line, caret);
    const qreal goal = goalColumn_;
    MoveCaret(PosAtColumn(static_cast<std::size_t>(target), goal), shift);
    goalColumn_ = goal;
  };
  auto horizontalTo = [&](std::size_t pos) {
    goalColumn_ = -1;
    MoveCaret(pos, shift);
  };

  switch (event->key()) {
    case Qt::Key_Left:
      if (!shift && !sel.IsEmpty() && !ctrl) horizontalTo(sel.Start());
      else horizontalTo(ctrl ? WordStart(caret) : Buf().PrevCharPos(caret));
      return true;
    case Qt::Key_Right:
      if (!shift && !sel.IsEmpty() && !ctrl) horizontalTo(sel.End());
      else horizontalTo(ctrl ? WordEnd(caret) : Buf().NextCharPos(caret));
      return true;
    case Qt::Key_Up:
      if (ctrl) {
        SetFirstVisibleLine(FirstVisibleLine() - 1);
        return true;
      }
      verticalTo(static_cast<long long>(line) - 1);
      return true;
    case Qt::Key_Down:
      if (ctrl) {
        SetFirstVisibleLine(FirstVisibleLine() + 1);
        return true;
      }
      verticalTo(static_cast<long long>(line) + 1);
      return true;
    case Qt::Key_PageUp:
      SetFirstVisibleLine(FirstVisibleLine() - VisibleLineCount());
      verticalTo(static_cast<long long>(line) - VisibleLineCount());
      return true;
    case Qt::Key_PageDown:
      SetFirstVisibleLine(FirstVisibleLine() + VisibleLineCount());
      verticalTo(static_cast<long long>(line) + VisibleLineCount());
      return true;
    case Qt::Key_Home:
      horizontalTo(ctrl ? 0 : Buf().LineIndex(line));
      return true;
    case Qt::Key_End:
      horizontalTo(ctrl ? Buf().GetTextLength() : Buf().LineEnd(line));
      return true;
    case Qt::Key_Delete:
      if (shift && !ctrl) {
        Cut();
        return true;
      }
      if (IsReadOnly()) return true;
      goalColumn_ = -1;
      if (sel.IsEmpty()) {
        if (caret >= Buf().GetTextLength()) return true;
        Own().SetSel(caret, Buf().NextCharPos(caret));
      }
      ReplaceSel({});
      ScrollCaret();
      return true;
    case Qt::Key_Insert:
      if (shift && !ctrl) Paste();
      else if (ctrl && !shift) Copy();
      return true;
    case Qt::Key_Backspace:
      if (ctrl || (event->modifiers() & Qt::AltModifier)) return false;
      CharMessage("\x08");
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CharMessage("\r");
      return true;
    case Qt::Key_Tab:
      if (ctrl) return false;
      CharMessage("\t");
      return true;
    default:
      return false;
  }
}

void EditControl::CharMessage(std::string_view ch) {
  if (ch.empty()) return;
  if (IsReadOnly()) {
    QApplication::beep();
    return;
  }
  goalColumn_ = -1;
  const unsigned char c = static_cast<unsigned char>(ch[0]);
  if (c == 0x08) {
    const EditBuffer::Selection sel = Sel();
    if (sel.IsEmpty()) {
      if (sel.caret == 0) return;
      Own().SetSel(Buf().PrevCharPos(sel.caret), sel.caret);
    }
    ReplaceSel({});
  } else if (c == '\r' || c == '\n') {
    ReplaceSel("\r\n");
  } else if (c == '\t' || c >= 0x20) {
    ReplaceSel(ch);
  } else {
    return;
  }
  ScrollCaret();
}

void EditControl::ImeResult(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    // A line break is one message, as Enter is.
    std::size_t next = SjisCharEnd(bytes, i);
    if (bytes[i] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
    CharMessage(bytes.substr(i, next - i));
    i = next;
  }
}

// ---------------------------------------------------------------- mouse

void EditControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  CommitPreedit();
  goalColumn_ = -1;
  selecting_ = true;
  lastMouse_ = event->position().toPoint();
  MoveCaret(CharFromPos(lastMouse_), event->modifiers() & Qt::ShiftModifier);
}

void EditControl::mouseMoveEvent(QMouseEvent* event) {
  if (!selecting_) {
    QAbstractScrollArea::mouseMoveEvent(event);
    return;
  }
  lastMouse_ = event->position().toPoint();
  if (viewport()->rect().contains(lastMouse_)) {
    autoScroll_.stop();
    MoveCaret(CharFromPos(lastMouse_), true);
  } else if (!autoScroll_.isActive()) {
    AutoScroll();
    autoScroll_.start();
  }
}

void EditControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    selecting_ = false;
    autoScroll_.stop();
  }
  QAbstractScrollArea::mouseReleaseEvent(event);
}

void EditControl::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  SelectWordAt(CharFromPos(event->position().toPoint()));
  selecting_ = false;
}

void EditControl::AutoScroll() {
  const QRect r = viewport()->rect();
  if (lastMouse_.y() < r.top()) SetFirstVisibleLine(FirstVisibleLine() - 1);
  else if (lastMouse_.y() > r.bottom()) SetFirstVisibleLine(FirstVisibleLine() + 1);
  if (lastMouse_.x() < r.left()) ScrollColumns(-1);
  else if (lastMouse_.x() > r.right()) ScrollColumns(1);
  const QPoint inside(std::clamp(lastMouse_.x(), r.left(), r.right()),
                      std::clamp(lastMouse_.y(), r.top(), r.bottom()));
  const EditBuffer::Selection sel = Sel();
  Own().SetSel(sel.anchor, CharFromPos(inside));
}

// ---------------------------------------------------------------- words

std::size_t EditControl::WordEnd(std::size_t pos) const {
  const std::size_t length = Buf().GetTextLength();
  if (pos >= length) return length;
  const CharClass start = ClassOf(Buf(), pos);
  if (start == CharClass::Break) return Buf().NextCharPos(pos);
  while (pos < length && ClassOf(Buf(), pos) == start) pos = Buf().NextCharPos(pos);
  while (pos < length && ClassOf(Buf(), pos) == CharClass::Blank) pos = Buf().NextCharPos(pos);
  return pos;
}

std::size_t EditControl::WordStart(std::size_t pos) const {
  if (pos == 0) return 0;
  pos = Buf().PrevCharPos(pos);
  while (pos > 0 && ClassOf(Buf(), pos) == CharClass::Blank) pos = Buf().PrevCharPos(pos);
  const CharClass cls = ClassOf(Buf(), pos);
  if (cls == CharClass::Break) return pos;
  while (pos > 0) {
    const std::size_t prev = Buf().PrevCharPos(pos);
    if (ClassOf(Buf(), prev) != cls) break;
    pos = prev;
  }
  return pos;
}

void EditControl::SelectWordAt(std::size_t pos) {
  const std::size_t length = Buf().GetTextLength();
  pos = Buf().CharStart(pos);
  if (pos >= length || ClassOf(Buf(), pos) == CharClass::Break) {
    Own().SetSel(pos, pos);
    return;
  }
  const CharClass cls = ClassOf(Buf(), pos);
  std::size_t start = pos;
  while (start > 0) {
    const std::size_t prev = Buf().PrevCharPos(start);
    if (ClassOf(Buf(), prev) != cls) break;
    start = prev;
  }
  std::size_t end = pos;
  while (end < length && ClassOf(Buf(), end) == cls) end = Buf().NextCharPos(end);
  goalColumn_ = -1;
  Own().SetSel(start, end);
  ScrollCaret();
}

}  // namespace corvella
