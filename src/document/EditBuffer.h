// The text model of one multi-line edit control: Shift_JIS bytes, lines, selection, read-only flag, text limit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/TextBlocks.h"

namespace corvella {

// Positions are byte indexes; a double-byte character takes two, a line break
// (CR LF) two. Lines are separated by CR LF only: a lone CR or LF is an
// ordinary byte of its line, as in the platform's edit control. Text is taken
// and given back byte for byte (NUL included); whoever brings text in from
// outside (typing, clipboard, drop, a child process) turns its line ends into
// CR LF first, so that undo records and the text always agree on lengths.
class EditBuffer {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  // The platform's initial limit; the editor views raise it to kMaxTextLimit.
  static constexpr std::size_t kDefaultTextLimit = 32767;
  // Every position then still fits an int.
  static constexpr std::size_t kMaxTextLimit = 0x7FFFFFFE;

  struct Selection {
    std::size_t anchor = 0;  // the end that stays put when the selection is extended
    std::size_t caret = 0;
    std::size_t Start() const { return anchor < caret ? anchor : caret; }
    std::size_t End() const { return anchor < caret ? caret : anchor; }
    bool IsEmpty() const { return anchor == caret; }
    friend bool operator==(const Selection&, const Selection&) = default;
  };

  // [start, start + removedLength) of the old text became insertedLength bytes.
  // Lines line .. line + linesRemoved of the old text became lines
  // line .. line + linesInserted of the new one; later lines only moved.
  struct TextChange {
    std::size_t start = 0;
    std::size_t removedLength = 0;
    std::size_t insertedLength = 0;
    std::size_t line = 0;
    std::size_t linesRemoved = 0;
    std::size_t linesInserted = 0;
    // Where line `line` starts (the same in the old text and the new), and
    // where old line `line + linesRemoved` started in the old text: whether
    // the edit begins at a line's start or deleted the start of its last
    // line (LineMarks).
    std::size_t firstLineStart = 0;
    std::size_t lastLineStart = 0;
    bool wholeText = false;  // SetText: nothing of the old text is left

    // The edit stayed inside line `line` and began `head` bytes or more into
    // it: what reads no further than a line's first `head` bytes is unchanged.
    bool LeavesLineHead(std::size_t head) const {
      return !wholeText && linesRemoved == 0 && linesInserted == 0 && start - firstLineStart >= head;
    }
  };

  // Views learn of changes only through this. A notification arrives after
  // the change is complete; a listener must not edit the buffer from it.
  class Listener {
   public:
    virtual ~Listener() = default;
    virtual void TextChanged(const TextChange& change) = 0;
    virtual void SelectionChanged(const Selection& before, const Selection& after) = 0;
  };

  EditBuffer();
  // Smaller blocks only to exercise block handling in tests.
  explicit EditBuffer(std::size_t blockCapacity);
  EditBuffer(const EditBuffer&) = delete;
  EditBuffer& operator=(const EditBuffer&) = delete;

  void AddListener(Listener* listener);
  void RemoveListener(Listener* listener);  // safe during a notification

  // Replaces the whole text and puts the caret at 0. Like setting a window's
  // text, it ignores the read-only flag and the text limit.
  void SetText(std::string_view text);
  // As SetText, taking the bytes themselves: a large text is not copied.
  void SetText(ByteBuffer text);
  // Told of the one allocation a large text is loaded into (see TextBlocks).
  void SetBulkAdvice(TextBlocks::BulkAdvice advice) { text_.SetBulkAdvice(advice); }
  std::string GetText() const;
  // [start, end), both clamped to the text.
  std::string GetText(std::size_t start, std::size_t end) const;
  std::size_t GetTextLength() const { return text_.Length(); }
  // The whole text in pieces, without copying it (see TextBlocks).
  template <class Piece>
  void ForEachPiece(Piece&& piece) const {
    text_.ForEachPiece(piece);
  }
  unsigned char ByteAt(std::size_t pos) const;  // 0 at or past the end

  Selection GetSel() const { return sel_; }
  std::string GetSelText() const;
  // Raw positions, each clamped to the text length; they may fall inside a
  // character or a line break.
  void SetSel(std::size_t anchor, std::size_t caret);
  // Each end clamped, then moved back to the character boundary at or before it.
  void SetCharSel(std::size_t anchor, std::size_t caret);
  // Replaces the selection with `text` (no undo of its own) and leaves the
  // caret after it. Refused (false, nothing changed) when read-only, or when
  // the text would grow beyond the limit: a replacement is never cut short.
  bool ReplaceSel(std::string_view text);
  bool CanReplaceSel(std::size_t insertLength) const;

  bool IsReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  // Bytes the text may grow to through ReplaceSel; 0 sets kMaxTextLimit,
  // values above it are lowered to it. Text already beyond stays.
  std::size_t GetLimitText() const { return limit_; }
  void SetLimitText(std::size_t limit);

  std::size_t GetLineCount() const { return text_.BreakCount() + 1; }
  // Line holding `pos` (clamped); a position between CR and LF is on the CR's line.
  std::size_t LineFromChar(std::size_t pos) const;
  // Start of `line`, or npos when there is no such line.
  std::size_t LineIndex(std::size_t line) const;
  // End of `line` without its line break, or npos when there is no such line.
  std::size_t LineEnd(std::size_t line) const;
  // Bytes of `line` without its line break; 0 when there is no such line.
  std::size_t LineLength(std::size_t line) const;
  // Text of `line` without its line break, at most its first `limit` bytes;
  // empty when there is no such line.
  std::string GetLine(std::size_t line, std::size_t limit = npos) const;

  // Character boundaries: a single byte, a lead byte with its trail byte, and
  // a line break each make one step. Scans never start before the line start.
  static bool IsLeadByte(unsigned char c);
  // The boundary at or before `pos` (clamped).
  std::size_t CharStart(std::size_t pos) const;
  // The first boundary after `pos`; the text length at the end.
  std::size_t NextCharPos(std::size_t pos) const;
  // The last boundary before `pos`; 0 at the start.
  std::size_t PrevCharPos(std::size_t pos) const;

  // Empty when every internal invariant holds, else what is wrong (for tests).
  std::string CheckConsistency() const;

 private:
  void Replace(std::size_t start, std::size_t end, std::string_view text, Selection after);
  void Select(Selection sel);
  template <class Call>
  void Notify(Call call);

  TextBlocks text_;
  Selection sel_;
  bool readOnly_ = false;
  std::size_t limit_ = kDefaultTextLimit;
  std::vector<Listener*> listeners_;
  int notifying_ = 0;
};

}  // namespace corvella
