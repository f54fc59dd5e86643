// The edit view that changes its text undoably, with find and replace and text drag and drop.
#include "editor/UndoEditView.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

#include "editor/Cp932Text.h"
#include "editor/ViewDialogs.h"

namespace corvella {
namespace {

// Text dragged between our own views keeps its exact bytes.
const QString kSjisMime = QStringLiteral("application/x-corvella-sjis");

// What a view drags carries the view, so that a drop into any view of the
// same text is known as a move within it.
class ViewDragData : public QMimeData {
 public:
  explicit ViewDragData(CUndoEditView* source) : m_source(source) {}
  CUndoEditView* Source() const { return m_source; }

 private:
  QPointer<CUndoEditView> m_source;
};

// The system's drag-scroll inset.
constexpr int kDragScrollInset = 11;

bool IsRecordedSingleByte(unsigned char c) {
  return (c >= 0x20 && c <= 0x7F) || (c >= 0xA1 && c <= 0xDF) || c == '\t';
}

std::string DroppedText(const QMimeData* data) {
  if (data->hasFormat(kSjisMime)) {
    const QByteArray bytes = data->data(kSjisMime);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  return QStringToSjis(data->text());
}

}  // namespace

CUndoEditView::CUndoEditView(QWidget* parent) : EditControl(parent) {
  Buffer().SetLimitText(EditBuffer::kMaxTextLimit);
}

CUndoEditView::~CUndoEditView() = default;

void CUndoEditView::OnInitialUpdate(std::string_view text) {
  SetText(text);
  ClearUndo();
}

// ---------------------------------------------------------------- undoable edits

void CUndoEditView::ReplaceSelUndoable(std::string_view text) {
  if (!Buffer().CanReplaceSel(text.size())) {
    QApplication::beep();
    return;
  }
  if (HasSelection()) Document().History().RecordDeleteSelection(Buffer());
  Document().History().RecordInsertText(Buffer(), text);
  EditControl::ReplaceSel(text);
}

void CUndoEditView::Undo() {
  if (Document().History().Undo(Buffer())) ScrollCaret();
}

void CUndoEditView::Redo() {
  if (Document().History().Redo(Buffer())) ScrollCaret();
}

void CUndoEditView::Cut() {
  if (!HasSelection() || IsReadOnly()) return;
  Document().History().RecordDeleteSelection(Buffer());
  EditControl::Cut();
}

void CUndoEditView::Paste() {
  if (IsReadOnly()) return;
  // Nothing is recorded when there is nothing to paste, so the history
  // never holds a deletion that did not happen.
  const auto text = ClipboardText();
  if (!text) return;
  if (!Buffer().CanReplaceSel(text->size())) {
    QApplication::beep();
    return;
  }
  if (HasSelection()) Document().History().RecordDeleteSelection(Buffer());
  Document().History().RecordInsertText(Buffer(), *text);
  EditControl::ReplaceSel(*text);
  ScrollCaret();
}

void CUndoEditView::Clear() {
  if (!HasSelection() || IsReadOnly()) return;
  Document().History().RecordDeleteSelection(Buffer());
  EditControl::Clear();
}

void CUndoEditView::OnTextNotFound(const std::string&) { QApplication::beep(); }

void CUndoEditView::OnEditFind() {
  if (m_dialogs) m_dialogs->OpenFind(this);
}
void CUndoEditView::OnEditReplace() {
  if (m_dialogs) m_dialogs->OpenReplace(this);
}
void CUndoEditView::OnEditFindNext() {
  if (m_dialogs) m_dialogs->FindNext(this, true);
}
void CUndoEditView::OnEditFindPrevious() {
  if (m_dialogs) m_dialogs->FindNext(this, false);
}
bool CUndoEditView::CanFindNext() const { return m_dialogs && m_dialogs->CanFindNext(*this); }

// ---------------------------------------------------------------- typing

void CUndoEditView::CharMessage(std::string_view ch) {
  if (ch.empty() || IsReadOnly()) {
    EditControl::CharMessage(ch);
    return;
  }
  const unsigned char c = static_cast<unsigned char>(ch[0]);
  // A change the text limit refuses is not recorded either.
  const std::size_t inserted = c == 0x08 ? 0 : (c == '\r' || c == '\n') ? 2 : ch.size();
  if (!Buffer().CanReplaceSel(inserted)) {
    EditControl::CharMessage(ch);
    return;
  }
  if (m_nImeSkip > 0) {
    // Already recorded as one insertion with the input method's result.
    m_nImeSkip -= static_cast<int>(ch.size());
    if (m_nImeSkip < 0) m_nImeSkip = 0;
  } else if (c == 0x08) {
    if (HasSelection()) Document().History().RecordDeleteSelection(Buffer());
    else Document().History().RecordDeleteKey(Buffer(), DeleteKey::Backspace);
  } else if (c == '\r' || c == '\n') {
    if (HasSelection()) Document().History().RecordDeleteSelection(Buffer());
    Document().History().RecordInsertText(Buffer(), "\r\n");
  } else if (ch.size() == 1 && IsRecordedSingleByte(c)) {
    if (HasSelection()) Document().History().RecordDeleteSelection(Buffer());
    Document().History().RecordTypedChar(Buffer(), c);
  } else if (ch.size() == 2) {
    // A double-byte character typed directly is recorded like input-method
    // text, so the history always matches the text.
    if (HasSelection()) Document().History().RecordDeleteSelection(Buffer());
    Document().History().RecordInsertText(Buffer(), ch);
  }
  EditControl::CharMessage(ch);
}

bool CUndoEditView::KeyDownMessage(QKeyEvent* event) {
  const auto mods = event->modifiers();
  if (event->matches(QKeySequence::Undo) || (event->key() == Qt::Key_Backspace && mods == Qt::AltModifier)) {
    Undo();
    return true;
  }
  if (event->key() == Qt::Key_Y && mods == Qt::ControlModifier) {
    Redo();
    return true;
  }
  if (event->key() == Qt::Key_F && mods == Qt::ControlModifier) {
    OnEditFind();
    return true;
  }
  if (event->key() == Qt::Key_H && mods == Qt::ControlModifier) {
    OnEditReplace();
    return true;
  }
  if (event->key() == Qt::Key_F3 && (mods & ~Qt::ShiftModifier) == Qt::NoModifier) {
    if (mods & Qt::ShiftModifier) OnEditFindPrevious();
    else OnEditFindNext();
    return true;
  }
  if (event->key() == Qt::Key_Delete && !(mods & Qt::ShiftModifier) && !IsReadOnly()) {
    if (HasSelection()) Document().History().RecordDeleteSelection(Buffer());
    else Document().History().RecordDeleteKey(Buffer(), DeleteKey::Delete);
  }
  return EditControl::KeyDownMessage(event);
}

void CUndoEditView::ImeResult(std::string_view bytes) {
  m_nImeSkip = 0;
  if (bytes.empty() || !Buffer().CanReplaceSel(bytes.size())) {
    if (!bytes.empty()) QApplication::beep();
    return;
  }
  if (HasSelection()) {
    // What the input method puts in place of a selection (a reconversion)
    // is one change.
    Document().History().RecordDeleteSelection(Buffer());
    Document().History().RecordInsertText(Buffer(), bytes);
    Document().History().JoinLast();
  } else {
    Document().History().RecordInsertText(Buffer(), bytes);
  }
  m_nImeSkip = static_cast<int>(bytes.size());
  EditControl::ImeResult(bytes);
  m_nImeSkip = 0;
}

// ---------------------------------------------------------------- drag and drop

bool CUndoEditView::EnableDragDrop(int mode) {
  if (m_bDropRegistered) return false;
  m_nDragMode = mode;
  setAcceptDrops((mode & 2) != 0);
  viewport()->setAcceptDrops((mode & 2) != 0);
  m_bDropRegistered = true;
  return true;
}

bool CUndoEditView::OnSelectedText(QPoint at) const {
  if (!HasSelection() || !FormattingRect().contains(at)) return false;
  const std::size_t pos = CharFromPos(at);
  const auto sel = Sel();
  // Only on the text itself, not beyond the end of its line.
  const std::size_t line = Buffer().LineFromChar(pos);
  const int endX = PosFromChar(Buffer().LineEnd(line)).x();
  if (at.x() > endX) return false;
  return pos >= sel.Start() && pos < sel.End();
}

void CUndoEditView::mousePressEvent(QMouseEvent* event) {
  m_bPressOnSelection = false;
  if (event->button() == Qt::LeftButton) CommitPreedit();
  if (event->button() == Qt::LeftButton && (m_nDragMode & 1) && OnSelectedText(event->position().toPoint())) {
    setFocus(Qt::MouseFocusReason);
    m_bPressOnSelection = true;
    m_pressPoint = event->position().toPoint();
    return;
  }
  EditControl::mousePressEvent(event);
}

void CUndoEditView::mouseMoveEvent(QMouseEvent* event) {
  if (m_bPressOnSelection) {
    const QPoint at = event->position().toPoint();
    // The drag starts once the mouse leaves a 5-pixel square around the press.
    if (std::abs(at.x() - m_pressPoint.x()) > 5 || std::abs(at.y() - m_pressPoint.y()) > 5) {
      m_bPressOnSelection = false;
      StartDrag();
    }
    return;
  }
  if (!(event->buttons() & Qt::LeftButton) && (m_nDragMode & 1)) {
    viewport()->setCursor(OnSelectedText(event->position().toPoint()) ? Qt::ArrowCursor : Qt::IBeamCursor);
  }
  EditControl::mouseMoveEvent(event);
}

void CUndoEditView::mouseReleaseEvent(QMouseEvent* event) {
  if (m_bPressOnSelection && event->button() == Qt::LeftButton) {
    // Released without dragging: an ordinary click.
    m_bPressOnSelection = false;
    MoveCaret(CharFromPos(event->position().toPoint()), false);
    return;
  }
  EditControl::mouseReleaseEvent(event);
}

Qt::DropAction CUndoEditView::ExecDrag(QDrag* drag) {
  return drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

void CUndoEditView::StartDrag() {
  const auto sel = Sel();
  const std::string text = SelText();
  auto* data = new ViewDragData(this);
  data->setText(SjisToOutsideText(text));
  data->setData(kSjisMime, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  m_bDragging = true;
  m_bMovedHere = false;
  m_pDragData = data;
  const Qt::DropAction result = ExecDrag(drag);
  m_pDragData = nullptr;
  m_bDragging = false;
  m_nDropMarker = std::string::npos;
  viewport()->update();

  if (result == Qt::MoveAction && m_bMovedHere) {
    std::size_t drop = m_nDropPos;
    if (drop >= sel.Start() && drop <= sel.End()) return;  // inside: nothing changes
    SetSel(sel.anchor, sel.caret);
    ReplaceSelUndoable({});
    if (drop > sel.End()) drop -= std::min(drop, text.size());
    InsertUndoableAndSelect(drop, text);
  } else if (result == Qt::MoveAction) {
    SetSel(sel.anchor, sel.caret);
    ReplaceSelUndoable({});
  } else if (result == Qt::IgnoreAction) {
    MoveCaret(CharFromPos(viewport()->mapFromGlobal(QCursor::pos())), false);
  }
}

void CUndoEditView::InsertUndoableAndSelect(std::size_t at, std::string_view text) {
  SetSel(at, at);
  ReplaceSelUndoable(text);
  SetSel(at, at + text.size());
  ScrollCaret();
}

void CUndoEditView::dragEnterEvent(QDragEnterEvent* event) {
  // Files dropped here are for the main window to open, not text to insert.
  const bool files = event->mimeData()->hasUrls() && event->mimeData()->urls().first().isLocalFile();
  m_bAccepting = (m_nDragMode & 2) && !IsReadOnly() && event->mimeData()->hasText() && !files;
  if (!m_bAccepting) {
    event->ignore();
    return;
  }
  setFocus(Qt::OtherFocusReason);
  event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
  event->accept();
}

void CUndoEditView::DragScroll(QPoint at) {
  const QRect fr = FormattingRect();
  if (!fr.contains(at)) return;
  if (at.y() < fr.top() + kDragScrollInset) SetFirstVisibleLine(FirstVisibleLine() - 1);
  else if (at.y() > fr.bottom() - kDragScrollInset) SetFirstVisibleLine(FirstVisibleLine() + 1);
  else if (at.x() < fr.left() + kDragScrollInset) ScrollColumns(-1);
  else if (at.x() > fr.right() - kDragScrollInset) ScrollColumns(1);
}

void CUndoEditView::dragMoveEvent(QDragMoveEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!m_bAccepting || !FormattingRect().contains(at)) {
    m_nDropMarker = std::string::npos;
    viewport()->update();
    event->ignore();
    return;
  }
  DragScroll(at);
  m_nDropMarker = CharFromPos(at);
  viewport()->update();
  event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
  event->accept();
}

void CUndoEditView::dragLeaveEvent(QDragLeaveEvent*) {
  m_bAccepting = false;
  m_nDropMarker = std::string::npos;
  viewport()->update();
}

void CUndoEditView::dropEvent(QDropEvent* event) {
  m_nDropMarker = std::string::npos;
  viewport()->update();
  if (!m_bAccepting) {
    event->ignore();
    return;
  }
  m_bAccepting = false;
  const QPoint at = event->position().toPoint();
  const std::size_t pos = CharFromPos(at);
  // A drag from this view, or from another view of the same text, moves the
  // text within it: inserted here, the source view would then delete its
  // selection with the inserted text inside it.
  const auto* dragged = dynamic_cast<const ViewDragData*>(event->mimeData());
  CUndoEditView* source = dragged ? dragged->Source() : nullptr;
  const bool fromHere = source && source->m_bDragging && event->mimeData() == source->m_pDragData &&
                        &source->Document() == &Document();
  const auto sel = fromHere ? source->Sel() : Sel();
  if (fromHere && pos >= sel.Start() && pos <= sel.End()) {
    event->ignore();
    return;
  }
  const Qt::DropAction action = (event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
  if (fromHere && action == Qt::MoveAction) {
    // The source side moves the text once the drag is over.
    source->m_bMovedHere = true;
    source->m_nDropPos = pos;
  } else {
    InsertUndoableAndSelect(pos, DroppedText(event->mimeData()));
  }
  event->setDropAction(action);
  event->accept();
}

void CUndoEditView::paintEvent(QPaintEvent* event) {
  EditControl::paintEvent(event);
  if (m_nDropMarker == std::string::npos) return;
  QPainter painter(viewport());
  painter.fillRect(QRect(PosFromChar(m_nDropMarker), QSize(2, LineHeight())), TextColor());
}

}  // namespace corvella
