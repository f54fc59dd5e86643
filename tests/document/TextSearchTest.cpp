// Text search over an EditBuffer: character boundaries, case folding, both directions, chunk borders.
#include "document/TextSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "document/EditBuffer.h"

using namespace corvella;
using namespace std::string_literals;

namespace {

constexpr std::size_t npos = TextSearch::npos;

unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// Straightforward reference: walk the buffer's own characters (a line break
// and a double-byte character each one step) and compare whole characters.
bool ReferenceMatch(const EditBuffer& buf, std::size_t p, const std::string& needle, bool matchCase) {
  // CharStart also moves a position between CR and LF back to the CR.
  if (needle.empty() || buf.CharStart(p) != p) return false;
  const std::string text = buf.GetText();
  std::size_t i = 0;
  while (i < needle.size()) {
    if (p + i >= text.size()) return false;
    const std::size_t next = buf.NextCharPos(p + i) - p;
    if (next > needle.size()) return false;
    const bool dbcs = next - i == 2 && text[p + i] != '\r';
    for (; i < next; ++i) {
      const auto t = static_cast<unsigned char>(text[p + i]);
      const auto w = static_cast<unsigned char>(needle[i]);
      if (t != w && (dbcs || matchCase || Fold(t) != Fold(w))) return false;
    }
  }
  return true;
}

TEST(TextSearch, TrailBytesNeverMatchOrFold) {
  EditBuffer buf;
  // 0x82 0x61 and 0x82 0x41 are double-byte characters whose trail bytes are 'a' and 'A'.
  buf.SetText("\x82\x61xA\x82\x41\x61"s);
  const TextSearch anyA("a", false);
  EXPECT_EQ(anyA.FindForward(buf, 0), 3u);
  EXPECT_EQ(anyA.FindForward(buf, 4), 6u);
  EXPECT_EQ(anyA.FindBackward(buf, 7), 6u);
  EXPECT_EQ(anyA.FindBackward(buf, 6), 3u);
  EXPECT_EQ(anyA.FindBackward(buf, 3), npos);
  EXPECT_EQ(TextSearch("a", true).FindForward(buf, 0), 6u);
  EXPECT_EQ(TextSearch("A", true).FindBackward(buf, 6), 3u);

  // The whole double-byte character compares exactly, case option or not.
  EXPECT_EQ(TextSearch("\x82\x41", false).FindForward(buf, 0), 4u);
  EXPECT_EQ(TextSearch("\x82\x61", false).FindForward(buf, 1), npos);
  EXPECT_EQ(TextSearch("\x82\x61x", false).FindForward(buf, 0), 0u);
  // A match never ends halfway through a double-byte character...
  EXPECT_EQ(TextSearch("A\x82", false).FindForward(buf, 0), npos);
  // ...but a lead byte standing alone is an ordinary character.
  buf.SetText("x\x82\r\nx\x82"s);
  EXPECT_EQ(TextSearch("x\x82", true).FindForward(buf, 0), 0u);
  EXPECT_EQ(TextSearch("x\x82", true).FindForward(buf, 1), 4u);
}

TEST(TextSearch, OnlyAsciiLettersFold) {
  EditBuffer buf;
  buf.SetText("[{@`]}Perl perl \xB1");
  EXPECT_EQ(TextSearch("{", false).FindForward(buf, 0), 1u);  // '[' + 0x20, but no case of it
  EXPECT_EQ(TextSearch("`", false).FindForward(buf, 0), 3u);
  EXPECT_EQ(TextSearch("}", false).FindForward(buf, 0), 5u);
  EXPECT_EQ(TextSearch("pErL", false).FindBackward(buf, 11), 6u);
  EXPECT_EQ(TextSearch("pErL", true).FindForward(buf, 0), npos);
  EXPECT_EQ(TextSearch("perl", true).FindForward(buf, 0), 11u);
}

TEST(TextSearch, EdgesOfTextNeedleLineBreaksAndNul) {
  EditBuffer buf;
  buf.SetText("ab\r\ncd\nab");
  const TextSearch ab("ab", true);
  EXPECT_EQ(ab.FindForward(buf, 0), 0u);
  EXPECT_EQ(ab.FindForward(buf, 1), 7u);
  EXPECT_EQ(ab.FindForward(buf, 7), 7u);
  EXPECT_EQ(ab.FindForward(buf, 8), npos);   // no wrap-around
  EXPECT_EQ(ab.FindBackward(buf, 7), 0u);
  EXPECT_EQ(ab.FindBackward(buf, 0), npos);  // no wrap-around
  EXPECT_EQ(ab.FindBackward(buf, 1), 0u);    // a match may reach past the limit
  EXPECT_EQ(TextSearch("", false).FindForward(buf, 0), npos);
  EXPECT_EQ(TextSearch("", false).FindBackward(buf, 9), npos);
  EXPECT_EQ(TextSearch("ab\r\ncd\nabX", false).FindForward(buf, 0), npos);
  EXPECT_EQ(TextSearch("xyz", false).FindForward(buf, 0), npos);
  // A lone LF is an ordinary byte; the LF of a line break is no place to
  // start, and its CR no place to end.
  EXPECT_EQ(TextSearch("\n", false).FindForward(buf, 0), 6u);
  EXPECT_EQ(TextSearch("\r\nc", false).FindForward(buf, 0), 2u);
  EXPECT_EQ(TextSearch("b\r", false).FindForward(buf, 0), npos);

  EditBuffer empty;
  EXPECT_EQ(ab.FindForward(empty, 0), npos);
  EXPECT_EQ(ab.FindBackward(empty, 5), npos);

  buf.SetText("a\0b\0B\0"s);  // NUL is an ordinary byte
  EXPECT_EQ(TextSearch("\0b"s, false).FindForward(buf, 2), 3u);
  EXPECT_EQ(TextSearch("\0b"s, true).FindForward(buf, 2), npos);
  EXPECT_EQ(TextSearch("\0"s, true).FindBackward(buf, 6), 5u);
}

TEST(TextSearch, SelectionRules) {
  EditBuffer buf;
  buf.SetText("aaa Abc abc");
  const TextSearch abc("abc", false);
  buf.SetSel(4, 7);
  EXPECT_TRUE(abc.SelectionMatches(buf));
  EXPECT_FALSE(TextSearch("abc", true).SelectionMatches(buf));
  EXPECT_EQ(abc.FindFromSelection(buf, true), 8u);   // steps over the selected match
  EXPECT_EQ(abc.FindFromSelection(buf, false), npos);
  buf.SetSel(9, 8);  // selection made backwards
  EXPECT_FALSE(abc.SelectionMatches(buf));
  EXPECT_EQ(abc.FindFromSelection(buf, true), npos);
  EXPECT_EQ(abc.FindFromSelection(buf, false), 4u);

  // Searching on from a selected match never finds an overlapping one.
  const TextSearch aa("aa", true);
  buf.SetSel(0, 2);
  EXPECT_TRUE(aa.SelectionMatches(buf));
  EXPECT_EQ(aa.FindFromSelection(buf, true), npos);
  buf.SetSel(2, 2);
  EXPECT_FALSE(aa.SelectionMatches(buf));
  EXPECT_EQ(aa.FindFromSelection(buf, false), 1u);
  EXPECT_FALSE(TextSearch("", false).SelectionMatches(buf));

  // A selection ending inside a double-byte character is not the needle.
  buf.SetText("x\x82\x41"s);
  buf.SetSel(0, 2);
  EXPECT_FALSE(TextSearch("x\x82", true).SelectionMatches(buf));
}

// Every chunk size down to one byte, against the reference, over texts full
// of lead bytes, letters that are also trail bytes, line breaks and NULs.
TEST(TextSearch, AgreesWithReferenceAcrossChunkBorders) {
  const std::string alphabet = "aAb[{\r\n\0\x82\x9F\xE0\xA0"s;
  std::mt19937 rng(12345);
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n)(rng); };
  const std::vector<std::size_t> chunks = {1, 2, 3, 5, 8, TextSearch::kMaxChunk};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (std::size_t i = pick(60); i > 0; --i) text += alphabet[pick(alphabet.size() - 1)];
    EditBuffer buf(4 + pick(12));
    buf.SetText(text);
    std::string needle;
    if (!text.empty() && pick(1)) {
      needle = text.substr(pick(text.size() - 1), 1 + pick(3));
    } else {
      for (std::size_t i = 1 + pick(2); i > 0; --i) needle += alphabet[pick(alphabet.size() - 1)];
    }
    const bool matchCase = pick(1) == 1;
    const TextSearch search(needle, matchCase, chunks[pick(chunks.size() - 1)]);
    const std::size_t from = pick(text.size() + 2);

    std::size_t forward = npos;
    for (std::size_t p = from; p < text.size() && forward == npos; ++p) {
      if (ReferenceMatch(buf, p, needle, matchCase)) forward = p;
    }
    std::size_t backward = npos;
    for (std::size_t p = std::min(from, text.size()); p-- > 0 && backward == npos;) {
      if (ReferenceMatch(buf, p, needle, matchCase)) backward = p;
    }
    ASSERT_EQ(search.FindForward(buf, from), forward) << "round " << round;
    ASSERT_EQ(search.FindBackward(buf, from), backward) << "round " << round;
  }
}

TEST(TextSearch, LongRunsOfLeadRangeBytesOverManyChunks) {
  // 0x88 0x9F repeated: every byte is in the lead range, so every 0x9F 0x88
  // pair inside the run straddles two characters; only the last one is real.
  std::string text;
  for (int i = 0; i < 300000; ++i) text += "\x88\x9F";
  const std::size_t real = text.size();
  text += "\x9F\x88 tail";
  EditBuffer buf;
  buf.SetText(text);
  const TextSearch search("\x9F\x88", true);
  EXPECT_EQ(search.FindForward(buf, 0), real);
  EXPECT_EQ(search.FindForward(buf, 12345), real);
  EXPECT_EQ(search.FindBackward(buf, text.size()), real);
  EXPECT_EQ(search.FindBackward(buf, real), npos);
  // The letter after the run, reached through all the grown chunks.
  EXPECT_EQ(TextSearch("TAIL", false).FindForward(buf, 1), real + 3);
  EXPECT_EQ(TextSearch("\x88\x9F", true).FindBackward(buf, real), real - 2);
}

}  // namespace
