// The text model of one multi-line edit control.
#include "document/EditBuffer.h"

#include <algorithm>

#include "document/SjisChar.h"

namespace corvella {
namespace {

// A line's content [start, end); its line break, if any, follows at end.
struct LineSpan {
  std::size_t start;
  std::size_t end;
};

LineSpan SpanOfLine(const TextBlocks& text, std::size_t line) {
  const std::size_t start = line ? text.PositionAfterBreak(line) : 0;
  const std::size_t end =
      line < text.BreakCount() ? text.PositionAfterBreak(line + 1) - 2 : text.Length();
  return {start, end};
}

}  // namespace

EditBuffer::EditBuffer() = default;

EditBuffer::EditBuffer(std::size_t blockCapacity) : text_(blockCapacity) {}

void EditBuffer::AddListener(Listener* listener) {
  if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
    listeners_.push_back(listener);
  }
}

void EditBuffer::RemoveListener(Listener* listener) {
  const auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it == listeners_.end()) return;
  // While a notification walks the list, only blank the entry.
  if (notifying_) {
    *it = nullptr;
  } else {
    listeners_.erase(it);
  }
}

template <class Call>
void EditBuffer::Notify(Call call) {
  ++notifying_;
  // Listeners added during the walk are not called this time.
  const std::size_t count = listeners_.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (listeners_[i]) call(*listeners_[i]);
  }
  if (--notifying_ == 0) std::erase(listeners_, nullptr);
}

// ---------------------------------------------------------------- text

void EditBuffer::SetText(std::string_view text) { SetText(ByteBuffer(text)); }

void EditBuffer::SetText(ByteBuffer text) {
  TextChange change;
  change.wholeText = true;
  change.removedLength = text_.Length();
  change.insertedLength = text.Size();
  change.linesRemoved = text_.BreakCount();
  text_.Adopt(std::move(text));
  change.linesInserted = text_.BreakCount();
  const Selection before = sel_;
  sel_ = {};
  Notify([&](Listener& l) { l.TextChanged(change); });
  if (before != sel_) Notify([&](Listener& l) { l.SelectionChanged(before, sel_); });
}

std::string EditBuffer::GetText() const { return GetText(0, text_.Length()); }

std::string EditBuffer::GetText(std::size_t start, std::size_t end) const {
  end = std::min(end, text_.Length());
  std::string out;
  if (start < end) text_.AppendTo(out, start, end);
  return out;
}

unsigned char EditBuffer::ByteAt(std::size_t pos) const {
  return pos < text_.Length() ? text_.ByteAt(pos) : 0;
}

// ---------------------------------------------------------------- selection

std::string EditBuffer::GetSelText() const { return GetText(sel_.Start(), sel_.End()); }

void EditBuffer::Select(Selection sel) {
  if (sel == sel_) return;
  const Selection before = sel_;
  sel_ = sel;
  Notify([&](Listener& l) { l.SelectionChanged(before, sel_); });
}

void EditBuffer::SetSel(std::size_t anchor, std::size_t caret) {
  const std::size_t length = text_.Length();
  Select({std::min(anchor, length), std::min(caret, length)});
}

void EditBuffer::SetCharSel(std::size_t anchor, std::size_t caret) {
  Select({CharStart(anchor), CharStart(caret)});
}

bool EditBuffer::CanReplaceSel(std::size_t insertLength) const {
  if (readOnly_) return false;
  const std::size_t removed = sel_.End() - sel_.Start();
  if (insertLength <= removed) return true;
  const std::size_t length = text_.Length();
  return length <= limit_ && insertLength - removed <= limit_ - length;
}

bool EditBuffer::ReplaceSel(std::string_view text) {
  if (!CanReplaceSel(text.size())) return false;
  const std::size_t start = sel_.Start();
  const Selection after{start + text.size(), start + text.size()};
  if (start != sel_.End() || !text.empty()) {
    Replace(start, sel_.End(), text, after);
  } else {
    Select(after);
  }
  return true;
}

// The line breaks that can change are those whose LF lies in [start, end] of
// the old text and in [start, start + n] of the new one: a break's LF depends
// on the byte before it as well.
void EditBuffer::Replace(std::size_t start, std::size_t end, std::string_view text,
                         Selection after) {
  TextChange change;
  change.start = start;
  change.removedLength = end - start;
  change.insertedLength = text.size();
  change.line = text_.BreaksBefore(start);
  change.linesRemoved = text_.BreaksBefore(std::min(end + 1, text_.Length())) - change.line;
  change.firstLineStart = change.line ? text_.PositionAfterBreak(change.line) : 0;
  change.lastLineStart =
      change.linesRemoved ? text_.PositionAfterBreak(change.line + change.linesRemoved) : change.firstLineStart;
  text_.Erase(start, end);
  text_.Insert(start, text);
  change.linesInserted =
      text_.BreaksBefore(std::min(start + text.size() + 1, text_.Length())) - change.line;
  // The selection moves before anyone hears of the change, so that no
  // listener ever sees it outside the text.
  const Selection before = sel_;
  sel_ = after;
  Notify([&](Listener& l) { l.TextChanged(change); });
  if (before != sel_) Notify([&](Listener& l) { l.SelectionChanged(before, sel_); });
}

void EditBuffer::SetLimitText(std::size_t limit) {
  limit_ = (limit == 0 || limit > kMaxTextLimit) ? kMaxTextLimit : limit;
}

// ---------------------------------------------------------------- lines

std::size_t EditBuffer::LineFromChar(std::size_t pos) const {
  return text_.BreaksBefore(std::min(pos, text_.Length()));
}

std::size_t EditBuffer::LineIndex(std::size_t line) const {
  if (line > text_.BreakCount()) return npos;
  return line ? text_.PositionAfterBreak(line) : 0;
}

std::size_t EditBuffer::LineEnd(std::size_t line) const {
  if (line > text_.BreakCount()) return npos;
  return SpanOfLine(text_, line).end;
}

std::size_t EditBuffer::LineLength(std::size_t line) const {
  if (line > text_.BreakCount()) return 0;
  const LineSpan span = SpanOfLine(text_, line);
  return span.end - span.start;
}

std::string EditBuffer::GetLine(std::size_t line, std::size_t limit) const {
  if (line > text_.BreakCount()) return {};
  const LineSpan span = SpanOfLine(text_, line);
  return GetText(span.start, span.start + std::min(span.end - span.start, limit));
}

// ---------------------------------------------------------------- characters

bool EditBuffer::IsLeadByte(unsigned char c) { return IsSjisLeadByte(c); }

std::size_t EditBuffer::CharStart(std::size_t pos) const {
  pos = std::min(pos, text_.Length());
  const LineSpan span = SpanOfLine(text_, text_.BreaksBefore(pos));
  if (pos > span.end) return span.end;  // between CR and LF
  TextBlocks::Reader at(text_);
  return SjisCharStart(at, span.start, span.end, pos);
}

std::size_t EditBuffer::NextCharPos(std::size_t pos) const {
  const std::size_t length = text_.Length();
  if (pos >= length) return length;
  const LineSpan span = SpanOfLine(text_, text_.BreaksBefore(pos));
  // On or inside the line break: before the end of the text there is one.
  if (pos >= span.end) return span.end + 2;
  TextBlocks::Reader at(text_);
  return SjisCharEnd(at, SjisCharStart(at, span.start, span.end, pos), span.end);
}

std::size_t EditBuffer::PrevCharPos(std::size_t pos) const {
  pos = std::min(pos, text_.Length());
  if (pos == 0) return 0;
  const LineSpan span = SpanOfLine(text_, text_.BreaksBefore(pos));
  if (pos == span.start) return pos - 2;      // back over the previous line's break
  TextBlocks::Reader at(text_);
  return SjisCharStart(at, span.start, span.end, pos - 1);
}

std::string EditBuffer::CheckConsistency() const {
  std::string problem = text_.CheckConsistency();
  if (problem.empty() && (sel_.anchor > text_.Length() || sel_.caret > text_.Length())) {
    problem = "selection outside the text";
  }
  return problem;
}

}  // namespace corvella
