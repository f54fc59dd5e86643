// The edit control's text model: lines, characters, selection, limits and notifications.
#include "document/EditBuffer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "document/SjisChar.h"

using namespace corvella;
using namespace std::string_literals;

namespace {

constexpr std::size_t npos = EditBuffer::npos;

struct Recorder : EditBuffer::Listener {
  std::vector<EditBuffer::TextChange> changes;
  std::vector<EditBuffer::Selection> selections;
  void TextChanged(const EditBuffer::TextChange& change) override { changes.push_back(change); }
  void SelectionChanged(const EditBuffer::Selection&, const EditBuffer::Selection& after) override {
    selections.push_back(after);
  }
};

TEST(EditBuffer, EmptyBufferHasOneEmptyLine) {
  EditBuffer buf;
  EXPECT_EQ(buf.GetTextLength(), 0u);
  EXPECT_EQ(buf.GetLineCount(), 1u);
  EXPECT_EQ(buf.LineIndex(0), 0u);
  EXPECT_EQ(buf.LineIndex(1), npos);
  EXPECT_EQ(buf.LineEnd(0), 0u);
  EXPECT_EQ(buf.LineLength(0), 0u);
  EXPECT_EQ(buf.GetLine(0), "");
  EXPECT_EQ(buf.LineFromChar(5), 0u);
  EXPECT_EQ(buf.NextCharPos(0), 0u);
  EXPECT_EQ(buf.PrevCharPos(3), 0u);
  EXPECT_EQ(buf.CharStart(3), 0u);
  EXPECT_EQ(buf.GetText(0, 10), "");
  EXPECT_EQ(buf.ByteAt(0), 0);
  buf.SetSel(4, 9);
  EXPECT_EQ(buf.GetSel(), (EditBuffer::Selection{0, 0}));
}

TEST(EditBuffer, OnlyCrLfSeparatesLines) {
  EditBuffer buf;
  buf.SetText("ab\r\ncd\r\n");
  EXPECT_EQ(buf.GetLineCount(), 3u);
  EXPECT_EQ(buf.LineIndex(1), 4u);
  EXPECT_EQ(buf.LineIndex(2), 8u);  // the empty line after the final break
  EXPECT_EQ(buf.LineIndex(3), npos);
  EXPECT_EQ(buf.LineFromChar(2), 0u);
  EXPECT_EQ(buf.LineFromChar(3), 0u);  // between CR and LF
  EXPECT_EQ(buf.LineFromChar(4), 1u);
  EXPECT_EQ(buf.LineFromChar(100), 2u);
  EXPECT_EQ(buf.LineEnd(1), 6u);
  EXPECT_EQ(buf.GetLine(1), "cd");
  EXPECT_EQ(buf.LineLength(2), 0u);
  EXPECT_EQ(buf.LineLength(7), 0u);

  buf.SetText("ab\r\ncd");  // last line without a line end
  EXPECT_EQ(buf.GetLineCount(), 2u);
  EXPECT_EQ(buf.LineLength(1), 2u);
  EXPECT_EQ(buf.LineEnd(1), 6u);

  buf.SetText("a\rb\nc\n\r");  // lone CR and LF are bytes of the line
  EXPECT_EQ(buf.GetLineCount(), 1u);
  EXPECT_EQ(buf.GetLine(0), "a\rb\nc\n\r");
}

TEST(EditBuffer, CharacterStepsKeepDoubleByteCharactersAndLineBreaksWhole) {
  EditBuffer buf;
  // a, 表 (trail 5C), CR LF, ア (trail 'A'), a lone lead byte before CR LF, x
  buf.SetText("a\x95\x5C\r\n\x83\x41\x81\r\nx");
  const std::vector<std::size_t> forward = {0, 1, 3, 5, 7, 8, 10, 11};
  for (std::size_t i = 0; i + 1 < forward.size(); ++i) {
    EXPECT_EQ(buf.NextCharPos(forward[i]), forward[i + 1]) << forward[i];
    EXPECT_EQ(buf.PrevCharPos(forward[i + 1]), forward[i]) << forward[i + 1];
  }
  EXPECT_EQ(buf.NextCharPos(11), 11u);
  EXPECT_EQ(buf.PrevCharPos(0), 0u);
  // From inside a character or a line break.
  EXPECT_EQ(buf.CharStart(2), 1u);
  EXPECT_EQ(buf.CharStart(4), 3u);
  EXPECT_EQ(buf.CharStart(6), 5u);
  EXPECT_EQ(buf.NextCharPos(2), 3u);
  EXPECT_EQ(buf.NextCharPos(4), 5u);
  EXPECT_EQ(buf.PrevCharPos(2), 1u);
  EXPECT_EQ(buf.PrevCharPos(4), 3u);
  EXPECT_TRUE(EditBuffer::IsLeadByte(0x95));
  EXPECT_FALSE(EditBuffer::IsLeadByte(0x5C));

  buf.SetCharSel(2, 9);
  EXPECT_EQ(buf.GetSel(), (EditBuffer::Selection{1, 8}));
  buf.SetSel(2, 100);  // raw: kept inside the character, clamped at the end
  EXPECT_EQ(buf.GetSel(), (EditBuffer::Selection{2, 11}));
  EXPECT_EQ(buf.GetSel().Start(), 2u);
}

TEST(EditBuffer, ReplaceSelReportsChangedLinesAndMovesTheCaret) {
  EditBuffer buf;
  Recorder rec;
  buf.AddListener(&rec);
  buf.SetText("a\r\nb");
  buf.SetSel(3, 1);
  ASSERT_TRUE(buf.ReplaceSel("XY"));  // joins the two lines
  EXPECT_EQ(buf.GetText(), "aXYb");
  EXPECT_EQ(buf.GetSel(), (EditBuffer::Selection{3, 3}));
  ASSERT_EQ(rec.changes.size(), 2u);
  const EditBuffer::TextChange& c = rec.changes[1];
  EXPECT_EQ(c.start, 1u);
  EXPECT_EQ(c.removedLength, 2u);
  EXPECT_EQ(c.insertedLength, 2u);
  EXPECT_EQ(c.line, 0u);
  EXPECT_EQ(c.linesRemoved, 1u);
  EXPECT_EQ(c.linesInserted, 0u);
  EXPECT_EQ(rec.selections.back(), (EditBuffer::Selection{3, 3}));

  // A byte typed between CR and LF breaks the pair; removing it forms it again.
  buf.SetText("a\r\nb");
  buf.SetSel(2, 2);
  ASSERT_TRUE(buf.ReplaceSel("x"));
  EXPECT_EQ(buf.GetLineCount(), 1u);
  EXPECT_EQ(rec.changes.back().linesRemoved, 1u);
  buf.SetSel(2, 3);
  ASSERT_TRUE(buf.ReplaceSel(""));
  EXPECT_EQ(buf.GetLineCount(), 2u);
  EXPECT_EQ(rec.changes.back().linesInserted, 1u);

  // An empty replacement of an empty selection changes nothing.
  const std::size_t seen = rec.changes.size();
  ASSERT_TRUE(buf.ReplaceSel(""));
  EXPECT_EQ(rec.changes.size(), seen);

}

TEST(EditBuffer, AListenerMayLeaveDuringANotification) {
  EditBuffer buf;
  struct Leaver : EditBuffer::Listener {
    EditBuffer* buf = nullptr;
    int calls = 0;
    void TextChanged(const EditBuffer::TextChange&) override {
      ++calls;
      buf->RemoveListener(this);
    }
    void SelectionChanged(const EditBuffer::Selection&, const EditBuffer::Selection&) override {}
  } leaver;
  leaver.buf = &buf;
  Recorder rec;
  buf.AddListener(&leaver);
  buf.AddListener(&rec);
  buf.SetText("z");
  buf.SetText("zz");
  EXPECT_EQ(leaver.calls, 1);
  ASSERT_EQ(rec.changes.size(), 2u);
  EXPECT_EQ(rec.changes[1].insertedLength, 2u);
}

TEST(EditBuffer, NulBytesAreOrdinaryBytes) {
  EditBuffer buf;
  buf.SetText("a\0b\r\n\0"s);
  EXPECT_EQ(buf.GetTextLength(), 6u);
  EXPECT_EQ(buf.GetLine(0), "a\0b"s);
  EXPECT_EQ(buf.GetLine(1), "\0"s);
  buf.SetSel(1, 2);
  ASSERT_TRUE(buf.ReplaceSel("\0\0"s));
  EXPECT_EQ(buf.GetText(), "a\0\0b\r\n\0"s);
  EXPECT_EQ(buf.NextCharPos(1), 2u);
}

TEST(EditBuffer, ReadOnlyAndTextLimitRefuseWholeReplacements) {
  EditBuffer buf;
  Recorder rec;
  buf.AddListener(&rec);
  EXPECT_EQ(buf.GetLimitText(), EditBuffer::kDefaultTextLimit);
  buf.SetText("abc");
  buf.SetReadOnly(true);
  buf.SetSel(0, 3);
  EXPECT_FALSE(buf.ReplaceSel("x"));
  EXPECT_FALSE(buf.ReplaceSel(""));
  EXPECT_EQ(buf.GetText(), "abc");
  EXPECT_EQ(buf.GetSel(), (EditBuffer::Selection{0, 3}));
  buf.SetText("output");  // replacing the whole text is still allowed
  EXPECT_EQ(buf.GetText(), "output");
  buf.SetReadOnly(false);

  buf.SetText("abc");
  buf.SetLimitText(5);
  buf.SetSel(3, 3);
  const std::size_t seen = rec.changes.size();
  EXPECT_FALSE(buf.ReplaceSel("xyz"));  // 6 bytes: refused whole, not cut to 5
  EXPECT_EQ(rec.changes.size(), seen);
  EXPECT_TRUE(buf.ReplaceSel("xy"));
  EXPECT_EQ(buf.GetText(), "abcxy");
  EXPECT_FALSE(buf.ReplaceSel("z"));
  buf.SetSel(0, 2);
  EXPECT_TRUE(buf.ReplaceSel("QR"));  // same length at the limit
  buf.SetText("longer than five");    // loading ignores the limit
  buf.SetSel(0, 2);
  EXPECT_FALSE(buf.ReplaceSel("123"));
  EXPECT_TRUE(buf.ReplaceSel("1"));   // shrinking is always allowed
  EXPECT_EQ(buf.GetText(), "1nger than five");
  buf.SetLimitText(0);
  EXPECT_EQ(buf.GetLimitText(), EditBuffer::kMaxTextLimit);
  EXPECT_TRUE(buf.CanReplaceSel(1000000));
}

// Random selections and replacements on small blocks, checked after every
// step against a string and against scans from the start of the text.
TEST(EditBuffer, RandomOperationsMatchAReference) {
  const char alphabet[] = {'a', '\\', '\r', '\n', '\r', '\n', '\0', '\x5C', '\x41', '\x81', '\x95', '\xE0', '\xB1'};
  for (std::size_t capacity : {std::size_t{8}, std::size_t{32}, TextBlocks::kDefaultBlockCapacity}) {
    std::mt19937 rng(static_cast<unsigned>(capacity) + 11);
    EditBuffer buf(capacity);
    buf.SetLimitText(0);
    std::string ref;
    EditBuffer::Selection sel;
    for (int step = 0; step < 1500; ++step) {
      const auto randomText = [&](std::size_t max) {
        std::string text(rng() % (max + 1), 'a');
        for (char& c : text) c = alphabet[rng() % sizeof alphabet];
        return text;
      };
      const std::size_t a = rng() % (ref.size() + 3), b = rng() % (ref.size() + 3);
      switch (rng() % 8) {
        case 0:
          ref = randomText(rng() % 2 ? 8 : 4 * std::min<std::size_t>(capacity, 32));
          buf.SetText(ref);
          sel = {};
          break;
        case 1:
        case 2:
          buf.SetSel(a, b);
          sel = {std::min(a, ref.size()), std::min(b, ref.size())};
          break;
        case 3:
          buf.SetCharSel(a, b);
          sel = buf.GetSel();
          break;
        default: {
          const std::string text = randomText(rng() % 4 ? 3 : 3 * std::min<std::size_t>(capacity, 32));
          ASSERT_TRUE(buf.ReplaceSel(text));
          ref.replace(sel.Start(), sel.End() - sel.Start(), text);
          sel.anchor = sel.caret = sel.Start() + text.size();
        }
      }
      ASSERT_EQ(buf.CheckConsistency(), "");
      ASSERT_EQ(buf.GetText(), ref);
      ASSERT_EQ(buf.GetSel(), sel);

      // Reference lines and character boundaries.
      std::vector<std::size_t> starts = {0};
      std::vector<bool> boundary(ref.size() + 1, false);
      for (std::size_t i = 0; i < ref.size();) {
        boundary[i] = true;
        const bool crlf = ref[i] == '\r' && i + 1 < ref.size() && ref[i + 1] == '\n';
        i = crlf ? i + 2 : SjisCharEnd(ref, i);
        if (crlf) starts.push_back(i);
      }
      boundary[ref.size()] = true;
      ASSERT_EQ(buf.GetLineCount(), starts.size());
      for (std::size_t line = 0; line < starts.size(); ++line) {
        const std::size_t end = line + 1 < starts.size() ? starts[line + 1] - 2 : ref.size();
        ASSERT_EQ(buf.LineIndex(line), starts[line]);
        ASSERT_EQ(buf.GetLine(line), ref.substr(starts[line], end - starts[line]));
      }
      std::size_t line = 0;
      for (std::size_t pos = 0; pos <= ref.size(); ++pos) {
        if (line + 1 < starts.size() && starts[line + 1] <= pos) ++line;
        ASSERT_EQ(buf.LineFromChar(pos), line) << pos;
        std::size_t start = pos, next = pos + 1, prev = pos ? pos - 1 : 0;
        while (!boundary[start]) --start;
        while (next <= ref.size() && !boundary[next]) ++next;
        while (prev > 0 && !boundary[prev]) --prev;
        ASSERT_EQ(buf.CharStart(pos), start) << pos;
        ASSERT_EQ(buf.NextCharPos(pos), std::min(next, ref.size())) << pos;
        ASSERT_EQ(buf.PrevCharPos(pos), prev) << pos;
      }
    }
  }
}

}  // namespace
