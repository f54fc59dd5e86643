// Hint-file parsing, hint lookup and the word before the caret.
#include "document/HintList.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "document/EditBuffer.h"
#include "document/SjisChar.h"

using namespace corvella;

namespace {

TEST(HintList, ParsesLinesInFileOrder) {
  HintList list;
  list.Parse(std::string("print#:print LIST\r\n"
                         "no sharp here\n"
                         "open#:open FH, EXPR\n"
                         "bare#\n"
                         "a#b#:c\n"
                         "\n"
                         "\x82\xA0#\x81\x46\x8A\xBF\n"
                         "last#:no line end"));
  const auto& e = list.Entries();
  ASSERT_EQ(e.size(), 8u);
  EXPECT_EQ(e[0].key, "print");
  EXPECT_EQ(e[0].hint, "print LIST\r");  // the CR before LF stays
  EXPECT_EQ(e[1].key, "");
  EXPECT_EQ(e[1].hint, "");
  EXPECT_EQ(e[2].hint, "open FH, EXPR");
  EXPECT_EQ(e[3].key, "bare");
  EXPECT_EQ(e[3].hint, "");
  EXPECT_EQ(e[4].key, "a");                // the first "#" ends the key
  EXPECT_EQ(e[4].hint, "#:c");
  EXPECT_EQ(e[5].key, "");
  EXPECT_EQ(e[6].key, "\x82\xA0");
  EXPECT_EQ(e[6].hint, "\x8A\xBF");        // a double-byte separator is skipped whole
  EXPECT_EQ(e[7].hint, "no line end");

  HintList empty;
  empty.Parse("");
  EXPECT_TRUE(empty.Entries().empty());
}

TEST(HintList, FindsTheFirstExactKey) {
  HintList list;
  list.Parse("print#:first\nprint#:second\nPrintf#:upper\nno sharp\n#:empty key\nbare#\n");
  EXPECT_EQ(list.FindHint("print"), "first");
  EXPECT_EQ(list.FindHint("Printf"), "upper");
  EXPECT_EQ(list.FindHint("printf"), "");   // case matters
  EXPECT_EQ(list.FindHint("prin"), "");     // no prefix match
  EXPECT_EQ(list.FindHint("no sharp"), ""); // a line without "#" never matches
  EXPECT_EQ(list.FindHint(""), "");
  EXPECT_EQ(list.FindHint("bare"), "");     // matches, with an empty hint
  list.Clear();
  EXPECT_EQ(list.FindHint("print"), "");
}

TEST(HintList, WordBeforeCaret) {
  struct Case {
    std::string text;
    std::string word;
  };
  const Case cases[] = {
      {"", ""},
      {"print", "print"},
      {"\tprint", "print"},
      {"if ($x) { print", "print"},
      {"my $name", "$name"},          // sigils belong to the word
      {"push(@list", "@list"},
      {"$h{key_name", "key_name"},
      {"a->b", "b"},
      {"x=y", "y"},
      {"foo::bar", "bar"},
      {"1+2-3*4/5%6~7^8&9|a!b?c<d>e[f]g,h.i;j", "j"},
      {"ends with ", ""},
      // Trail bytes equal to "|" (7C), "}" (7D), "[" (5B) are parts of their characters.
      {"x \x83\x7C\x83\x7D\x83\x5Bs", "\x83\x7C\x83\x7D\x83\x5Bs"},
      {"\x83\x7Cprint", "\x83\x7Cprint"},
      // A half-width katakana is a single byte; a lone lead byte stands alone.
      {"a \xB1\xB2", "\xB1\xB2"},
      {"a \x83", "\x83"},
  };
  for (const Case& c : cases) EXPECT_EQ(WordBeforeCaret(c.text), c.word) << c.text;
}

// On a long line of Japanese whose trail bytes look like delimiters, read
// from the buffer near the caret: the word the whole line up to the caret
// ends with, or none when it is longer than the window.
TEST(HintList, WordBeforeCaretInABufferReadsOnlyNearTheCaret) {
  std::mt19937 rng(3);
  const std::string pieces[] = {"\x83\x7C", "\x83\x7D", "\x88\x9F", "\x83", "print", " ", "(", "$x", "\xB1"};
  std::string line;
  while (line.size() < 8 * kHintWindow) {
    line += pieces[std::uniform_int_distribution<std::size_t>(0, 8)(rng)];
    if (line.size() > 4 * kHintWindow && line.size() < 6 * kHintWindow) line += "\x88\x9F";  // a word past the window
  }
  EditBuffer buffer;
  buffer.SetLimitText(0);
  buffer.SetText("a\r\n" + line + "\r\nb");
  for (std::size_t pos = 0; pos <= line.size(); pos = SjisCharEnd(line, pos)) {
    const std::string_view word = WordBeforeCaret(std::string_view(line).substr(0, pos));
    const std::string got = WordBeforeCaret(buffer, 3 + pos);
    ASSERT_TRUE(got == word || (got.empty() && word.size() >= kHintWindow)) << pos;
    if (pos == line.size()) break;
  }
}

TEST(HintList, HintLetters) {
  EXPECT_TRUE(IsHintLetter("a"));
  EXPECT_TRUE(IsHintLetter("Z"));
  EXPECT_TRUE(IsHintLetter("\xB1"));   // half-width katakana
  EXPECT_TRUE(IsHintLetter("\xDF"));
  EXPECT_FALSE(IsHintLetter("\xA5"));  // half-width punctuation
  EXPECT_FALSE(IsHintLetter("1"));
  EXPECT_FALSE(IsHintLetter("_"));
  EXPECT_FALSE(IsHintLetter("$"));
  EXPECT_FALSE(IsHintLetter("\r"));
  EXPECT_FALSE(IsHintLetter("\x82\x60"));  // full-width letter
  EXPECT_FALSE(IsHintLetter(""));
}

}  // namespace
