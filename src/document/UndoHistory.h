// The editor's own undo and redo: records of insertions and deletions, typing-run merging, undo and redo over an EditBuffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

class EditBuffer;

struct UndoRecord {
  int nType = 0;               // 1: [nStart, nEnd) was inserted; 0: it was deleted
  std::size_t nStart = 0;
  std::size_t nEnd = 0;
  std::string strText;         // what reverses the record, where it needs text
  bool bMerge = false;         // a typing record the next typed character may extend
  bool bCaretToStart = false;  // after undoing a forward Delete the caret stays at nStart
  bool bWithPrevious = false;  // undone and redone together with the record before it
};

enum class DeleteKey { Backspace, Delete };

// Recording never changes the text: the caller records first and then
// carries the change out. Undo and Redo change the buffer themselves, each
// record after it has moved, so a listener to the buffer finds the history
// where the text is.
class UndoHistory {
 public:
  // The selection, about to be deleted.
  void RecordDeleteSelection(const EditBuffer& buffer);
  // Backspace or Delete with an empty selection, about to remove one
  // character (a double-byte character or a line break as a whole).
  void RecordDeleteKey(const EditBuffer& buffer, DeleteKey key);
  // One typed byte about to replace the (empty) selection; extends the last
  // typing record when it ends where the caret is. Space and TAB are steps
  // of their own and end a run.
  void RecordTypedChar(const EditBuffer& buffer, unsigned char ch);
  // `text` about to be inserted at the caret; nothing for an empty text.
  void RecordInsertText(const EditBuffer& buffer, std::string_view text);

  // Makes the last record one step with the one before it (a replacement
  // that the user sees as one change).
  void JoinLast();
  // Makes the records added since the history held `count` one step with
  // each other (not with what came before): a replace-all.
  void JoinSince(std::size_t count);

  // Both answer false when there is nothing to do.
  bool Undo(EditBuffer& buffer);
  bool Redo(EditBuffer& buffer);
  void Clear();

  // The save point: the place in the history whose text is the one on the
  // disk. A new or cleared history is at it. MarkSaved moves it to where the
  // history is now; an edit made after undoing past it leaves it out of
  // reach for good, as does ForgetSavePoint (a text nobody saved).
  void MarkSaved() { m_savePoint = m_undo.size(); }
  void ForgetSavePoint() { m_savePoint.reset(); }
  bool AtSavePoint() const { return m_savePoint == m_undo.size(); }
  // Counts what the history has heard of (recordings, undone and redone
  // records), so that a change to the text it never heard of can be told.
  std::uint64_t Revision() const { return m_revision; }

  bool CanUndo() const { return !m_undo.empty(); }
  bool CanRedo() const { return !m_redo.empty(); }
  const std::vector<UndoRecord>& UndoList() const { return m_undo; }
  const std::vector<UndoRecord>& RedoList() const { return m_redo; }

 private:
  void Append(UndoRecord record);
  // Forgets what was undone; a save point among it goes out of reach.
  void DropRedo();
  void UndoOne(EditBuffer& buffer);
  void RedoOne(EditBuffer& buffer);

  std::vector<UndoRecord> m_undo;  // oldest first
  std::vector<UndoRecord> m_redo;  // most recently undone last
  std::optional<std::size_t> m_savePoint = 0;  // records undoable at the save point
  std::uint64_t m_revision = 0;
};

}  // namespace corvella
