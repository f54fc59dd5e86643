// The edit view that changes its text undoably (through the document's shared history), with find and replace and text drag and drop.
#pragma once

#include <string>
#include <string_view>

#include "editor/EditControl.h"
#include "document/UndoHistory.h"

class QDrag;
class QMimeData;

namespace corvella {

class ViewDialogs;

class CUndoEditView : public EditControl {
  Q_OBJECT

 public:
  explicit CUndoEditView(QWidget* parent = nullptr);
  ~CUndoEditView() override;

  // The one way to change the text undoably: an undoable delete of the
  // selection, then an undoable insertion of `text` in its place.
  void ReplaceSelUndoable(std::string_view text);

  void Undo();
  void Redo();
  // The history is the document's: every view of it undoes the same edits.
  void ClearUndo() { Document().History().Clear(); }
  // Makes the changes recorded since the history held `count` records one
  // undo step (see UndoHistory::JoinSince).
  void JoinUndoSince(std::size_t count) { Document().History().JoinSince(count); }
  bool CanUndo() const { return Document().History().CanUndo(); }
  bool CanRedo() const { return Document().History().CanRedo(); }
  const UndoHistory& History() const { return Document().History(); }

  // Loads a whole text (a document was opened or created): histories emptied.
  void OnInitialUpdate(std::string_view text);

  // Edit commands, with the conditions under which they are enabled.
  void OnEditUndo() { Undo(); }
  void OnEditRedo() { Redo(); }
  void Cut() override;
  void Paste() override;
  void Clear() override;
  void OnEditFind();
  void OnEditReplace();
  void OnEditFindNext();
  void OnEditFindPrevious();
  bool CanFindNext() const;
  // Where the find commands and the view's other dialogs go; without a set
  // they do nothing.
  void SetDialogs(ViewDialogs* dialogs) { m_dialogs = dialogs; }
  ViewDialogs* Dialogs() const { return m_dialogs; }

  // Bit 1: the view may start drags; bit 2: it accepts drops.
  bool EnableDragDrop(int mode);

  // A search found nothing: a beep here; the script view says more.
  virtual void OnTextNotFound(const std::string& what);

 protected:
  void CharMessage(std::string_view ch) override;
  bool KeyDownMessage(QKeyEvent* event) override;
  void ImeResult(std::string_view bytes) override;

  // Runs the drag and answers what became of it (the platform's drag loop).
  virtual Qt::DropAction ExecDrag(QDrag* drag);

  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void StartDrag();
  bool OnSelectedText(QPoint at) const;
  void InsertUndoableAndSelect(std::size_t at, std::string_view text);
  void DragScroll(QPoint at);

  ViewDialogs* m_dialogs = nullptr;
  int m_nImeSkip = 0;
  bool m_bDropRegistered = false;
  bool m_bDragging = false;
  bool m_bMovedHere = false;
  int m_nDragMode = 0;
  std::size_t m_nDropPos = 0;  // where a move-drop into this same view landed
  bool m_bAccepting = false;
  const QMimeData* m_pDragData = nullptr;  // what this view is dragging, to know its own drops
  std::size_t m_nDropMarker = std::string::npos;  // caret shown where a drop would land
  QPoint m_pressPoint;
  bool m_bPressOnSelection = false;
};

}  // namespace corvella
