// The editor's own undo and redo: records of insertions and deletions, typing-run merging, undo and redo over an EditBuffer.
#include "document/UndoHistory.h"

#include <climits>
#include <utility>

#include "document/EditBuffer.h"

namespace corvella {
namespace {

bool EndsTypingRun(unsigned char ch) { return ch == ' ' || ch == '\t'; }

void DeleteRange(EditBuffer& buffer, std::size_t start, std::size_t end) {
  buffer.SetSel(start, end);
  buffer.ReplaceSel({});
}

void InsertAt(EditBuffer& buffer, std::size_t at, std::string_view text) {
  buffer.SetSel(at, at);
  buffer.ReplaceSel(text);
}

}  // namespace

void UndoHistory::DropRedo() {
  m_redo.clear();
  if (m_savePoint && *m_savePoint > m_undo.size()) m_savePoint.reset();
}

void UndoHistory::Append(UndoRecord record) {
  ++m_revision;
  DropRedo();
  // The history has no practical bound; at the int limit the older half goes.
  if (m_undo.size() >= static_cast<std::size_t>(INT_MAX)) {
    constexpr std::size_t kDropped = INT_MAX / 2;
    m_undo.erase(m_undo.begin(), m_undo.begin() + kDropped);
    if (m_savePoint && *m_savePoint < kDropped) m_savePoint.reset();
    else if (m_savePoint) *m_savePoint -= kDropped;
  }
  m_undo.push_back(std::move(record));
}

void UndoHistory::RecordDeleteSelection(const EditBuffer& buffer) {
  const auto sel = buffer.GetSel();
  Append({0, sel.Start(), sel.End(), buffer.GetSelText(), false, false});
}

// The removed character is the buffer's own idea of one character, so the
// record always matches what the key removes: a line break as its CR LF, a
// double-byte character as both bytes, and a lone CR or LF byte as itself.
void UndoHistory::RecordDeleteKey(const EditBuffer& buffer, DeleteKey key) {
  const std::size_t caret = buffer.GetSel().Start();
  const std::size_t length = buffer.GetTextLength();
  if (key == DeleteKey::Backspace) {
    if (caret == 0) return;
    const std::size_t start = buffer.PrevCharPos(caret);
    Append({0, start, caret, buffer.GetText(start, caret), false, false});
  } else {
    if (caret >= length) return;
    const std::size_t end = buffer.NextCharPos(caret);
    Append({0, caret, end, buffer.GetText(caret, end), false, true});
  }
}

void UndoHistory::RecordTypedChar(const EditBuffer& buffer, unsigned char ch) {
  const std::size_t start = buffer.GetSel().Start();
  // A run typed on after a save starts a step of its own, so the saved text
  // stays one undo away.
  if (!EndsTypingRun(ch) && !m_undo.empty() && m_undo.back().bMerge && m_undo.back().nEnd == start &&
      !AtSavePoint()) {
    ++m_undo.back().nEnd;
    ++m_revision;
    DropRedo();
    return;
  }
  Append({1, start, start + 1, {}, !EndsTypingRun(ch), false});
}

void UndoHistory::RecordInsertText(const EditBuffer& buffer, std::string_view text) {
  if (text.empty()) return;
  const std::size_t start = buffer.GetSel().Start();
  Append({1, start, start + text.size(), {}, false, false});
}

void UndoHistory::JoinLast() {
  if (m_undo.size() >= 2) m_undo.back().bWithPrevious = true;
}

void UndoHistory::JoinSince(std::size_t count) {
  for (std::size_t i = count + 1; i < m_undo.size(); ++i) m_undo[i].bWithPrevious = true;
}

bool UndoHistory::Undo(EditBuffer& buffer) {
  if (m_undo.empty()) return false;
  bool more = true;
  while (more && !m_undo.empty()) {
    more = m_undo.back().bWithPrevious;
    UndoOne(buffer);
  }
  return true;
}

bool UndoHistory::Redo(EditBuffer& buffer) {
  if (m_redo.empty()) return false;
  do RedoOne(buffer);
  while (!m_redo.empty() && m_redo.back().bWithPrevious);
  return true;
}

void UndoHistory::UndoOne(EditBuffer& buffer) {
  ++m_revision;
  m_redo.push_back(std::move(m_undo.back()));
  m_undo.pop_back();
  UndoRecord& r = m_redo.back();
  if (r.nType == 1) {
    r.strText = buffer.GetText(r.nStart, r.nEnd);
    DeleteRange(buffer, r.nStart, r.nEnd);
  } else {
    const std::string text = std::exchange(r.strText, {});
    InsertAt(buffer, r.nStart, text);
    if (r.bCaretToStart) buffer.SetSel(r.nStart, r.nStart);
  }
}

void UndoHistory::RedoOne(EditBuffer& buffer) {
  ++m_revision;
  m_undo.push_back(std::move(m_redo.back()));
  m_redo.pop_back();
  UndoRecord& r = m_undo.back();
  r.bMerge = false;
  if (r.nType == 1) {
    const std::string text = std::exchange(r.strText, {});
    InsertAt(buffer, r.nStart, text);
  } else {
    r.strText = buffer.GetText(r.nStart, r.nEnd);
    DeleteRange(buffer, r.nStart, r.nEnd);
  }
}

void UndoHistory::Clear() {
  m_undo.clear();
  m_redo.clear();
  m_savePoint = 0;
}

}  // namespace corvella
