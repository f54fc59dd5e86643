// The text of one document shared by all its views: the buffer, the undo history, the line states, breakpoints, and a selection for each view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "document/EditBuffer.h"
#include "document/ErrorMarks.h"
#include "document/LineMarks.h"
#include "document/LineStateStore.h"
#include "document/SubIndex.h"
#include "document/UndoHistory.h"

namespace corvella {

// The buffer holds one selection: that of the view that last took it
// (Activate). The other views' selections are kept here and move with the
// text as it changes, so each view keeps its own caret.
class TextDocument : private EditBuffer::Listener {
 public:
  using ViewId = int;

  TextDocument();
  // Blocks of `blockCapacity` bytes (see TextBlocks): larger for a text that
  // only grows at its end, such as the output pane's.
  explicit TextDocument(std::size_t blockCapacity);
  ~TextDocument() override;
  TextDocument(const TextDocument&) = delete;
  TextDocument& operator=(const TextDocument&) = delete;

  EditBuffer& Buffer() { return buffer_; }
  const EditBuffer& Buffer() const { return buffer_; }
  UndoHistory& History() { return history_; }
  const UndoHistory& History() const { return history_; }
  // The tokenizer's state at each line, as the text is now.
  LineStateStore& LineStates() { return lineStates_; }
  // The package and sub declarations, as the text is now.
  SubIndex& Subs() { return m_subs; }
  // The breakpoint lines and the debugger's execution line (at most one),
  // moved with their text on every change; a Load clears them, a Reload
  // keeps those whose line is still there.
  LineMarks& Breakpoints() { return m_breakpoints; }
  const LineMarks& Breakpoints() const { return m_breakpoints; }
  LineMarks& ExecutionMark() { return m_execution; }
  const LineMarks& ExecutionMark() const { return m_execution; }
  // Perl's errors and warnings of the last run or check, moved the same way.
  ErrorMarks& Errors() { return m_errors; }
  const ErrorMarks& Errors() const { return m_errors; }

  // A view registers before it shows the text; the first one registered owns
  // the buffer's selection.
  ViewId AddView();
  void RemoveView(ViewId view);
  // Makes `view`'s selection the buffer's; the owner's is kept aside.
  void Activate(ViewId view);
  bool IsActive(ViewId view) const { return view == active_; }
  EditBuffer::Selection SelectionOf(ViewId view) const;

  // A whole text with an empty history; every caret goes to the start.
  void Load(std::string_view text);
  void Load(ByteBuffer text);
  // A whole text read again (another encoding): the history emptied, every
  // caret at the start of the line it was on, where the text still has it.
  void Reload(std::string_view text);
  void Reload(ByteBuffer text);
  // Whether the text now being announced came from Reload, so that views
  // keep their scroll position rather than going to the top.
  bool Reloading() const { return reloading_; }

 private:
  struct Slot {
    ViewId view;
    EditBuffer::Selection sel;
  };
  void TextChanged(const EditBuffer::TextChange& change) override;
  void SelectionChanged(const EditBuffer::Selection&, const EditBuffer::Selection&) override {}
  Slot* SlotOf(ViewId view);

  EditBuffer buffer_;
  UndoHistory history_;
  LineStateStore lineStates_{buffer_};
  SubIndex m_subs{buffer_, lineStates_};
  LineMarks m_breakpoints;
  LineMarks m_execution;
  ErrorMarks m_errors;
  std::vector<Slot> slots_;  // views other than the active one
  ViewId active_ = -1;
  ViewId nextView_ = 0;
  std::uint64_t m_historySeen = 0;  // the history's revision at the last change
  bool reloading_ = false;
  bool swapping_ = false;
};

}  // namespace corvella
