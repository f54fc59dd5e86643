// The text of one document shared by all its views.
#include "document/TextDocument.h"

#include <algorithm>

namespace corvella {
namespace {

// Where `pos` ends up after `change`: a position inside the replaced bytes
// goes to their start, one after them moves with the text.
std::size_t Moved(std::size_t pos, const EditBuffer::TextChange& change) {
  if (change.wholeText) return 0;
  if (pos <= change.start) return pos;
  if (pos < change.start + change.removedLength) return change.start;
  return pos - change.removedLength + change.insertedLength;
}

}  // namespace

TextDocument::TextDocument() : TextDocument(TextBlocks::kDefaultBlockCapacity) {}

TextDocument::TextDocument(std::size_t blockCapacity) : buffer_(blockCapacity) {
  // First, so that line states and kept selections follow a change before
  // any view hears of it.
  buffer_.AddListener(this);
}

TextDocument::~TextDocument() { buffer_.RemoveListener(this); }

TextDocument::ViewId TextDocument::AddView() {
  const ViewId view = nextView_++;
  if (active_ < 0) {
    active_ = view;
  } else {
    slots_.push_back({view, {}});
  }
  return view;
}

void TextDocument::RemoveView(ViewId view) {
  if (view != active_) {
    std::erase_if(slots_, [view](const Slot& s) { return s.view == view; });
    return;
  }
  active_ = -1;
  if (slots_.empty()) return;
  const Slot next = slots_.front();
  slots_.erase(slots_.begin());
  active_ = next.view;
  buffer_.SetSel(next.sel.anchor, next.sel.caret);
}

TextDocument::Slot* TextDocument::SlotOf(ViewId view) {
  const auto it = std::find_if(slots_.begin(), slots_.end(), [view](const Slot& s) { return s.view == view; });
  return it == slots_.end() ? nullptr : &*it;
}

void TextDocument::Activate(ViewId view) {
  // A view that hears of the swap below and asks again changes nothing.
  if (view == active_ || swapping_) return;
  Slot* slot = SlotOf(view);
  if (!slot) return;
  const EditBuffer::Selection taken = slot->sel;
  slot->view = active_;
  slot->sel = buffer_.GetSel();
  active_ = view;
  swapping_ = true;
  buffer_.SetSel(taken.anchor, taken.caret);
  swapping_ = false;
}

EditBuffer::Selection TextDocument::SelectionOf(ViewId view) const {
  if (view == active_) return buffer_.GetSel();
  for (const Slot& s : slots_) {
    if (s.view == view) return s.sel;
  }
  return {};
}

void TextDocument::TextChanged(const EditBuffer::TextChange& change) {
  // A change the history did not hear of first (a text set outright) leaves
  // no way back to the saved text; Load and Reload clear the history after.
  if (history_.Revision() == m_historySeen) history_.ForgetSavePoint();
  m_historySeen = history_.Revision();
  lineStates_.TextChanged(change);
  m_subs.TextChanged(change);
  m_breakpoints.TextChanged(change);
  m_execution.TextChanged(change);
  m_errors.TextChanged(change);
  for (Slot& s : slots_) s.sel = {Moved(s.sel.anchor, change), Moved(s.sel.caret, change)};
}

void TextDocument::Load(std::string_view text) { Load(ByteBuffer(text)); }

void TextDocument::Load(ByteBuffer text) {
  buffer_.SetText(std::move(text));
  history_.Clear();
  m_breakpoints.Clear();
  m_execution.Clear();
  m_errors.Clear();
}

void TextDocument::Reload(std::string_view text) { Reload(ByteBuffer(text)); }

void TextDocument::Reload(ByteBuffer text) {
  const auto lineOf = [this](const EditBuffer::Selection& sel) { return buffer_.LineFromChar(sel.caret); };
  const std::size_t activeLine = lineOf(buffer_.GetSel());
  std::vector<std::size_t> lines;
  for (const Slot& s : slots_) lines.push_back(lineOf(s.sel));

  reloading_ = true;
  buffer_.SetText(std::move(text));
  reloading_ = false;
  history_.Clear();

  const auto startOf = [this](std::size_t line) {
    return buffer_.LineIndex(std::min(line, buffer_.GetLineCount() - 1));
  };
  for (std::size_t i = 0; i < slots_.size(); ++i) slots_[i].sel = {startOf(lines[i]), startOf(lines[i])};
  const std::size_t caret = startOf(activeLine);
  buffer_.SetSel(caret, caret);
}

}  // namespace corvella
