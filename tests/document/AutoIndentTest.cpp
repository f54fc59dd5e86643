// The indentation after Enter and the "}" outdent condition.
#include "document/AutoIndent.h"

#include <string>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

struct IndentCase {
  const char* name;
  std::string prefix;
  bool comment;
  std::string indent;
};

TEST(AutoIndent, IndentAfterEnter) {
  const IndentCase cases[] = {
      {"empty prefix", "", false, ""},
      {"empty prefix, comment", "", true, ""},
      {"statement ends", "print 1;", false, ""},
      {"block opens", "if ($x) {", false, "\t"},
      {"paren opens", "foo(", false, "\t"},
      {"block opens inside comment", "if ($x) { # x", true, ""},
      {"tab kept, block opens", "\tif ($x) {", false, "\t\t"},
      {"tab kept, comment", "\t# if ($x) {", true, "\t"},
      {"block closes", "\t}", false, "\t"},
      {"each listed end keeps", "\tx>", false, "\t"},
      {"paren closes", "\tf(1)", false, "\t"},
      {"slash", "\t$a = $b /", false, "\t"},
      {"comma", "\t1,", false, "\t"},
      {"four blanks become a tab", "    print 1;", false, "\t"},
      {"four blanks then open", "    foo {", false, "\t\t"},
      {"eight blanks", "        x;", false, "\t\t"},
      {"odd blanks stay", "      x;", false, "\t  "},
      {"blanks around a tab", "  \t    x;", false, "  \t\t"},
      {"only white space", "    ", false, "\t"},
      // Column-0 code is trimmed before its last character is looked at.
      {"trimmed then keeps", "print 1;   ", false, ""},
      {"trimmed then opens", "sub f {  \t", false, "\t"},
      // Indented code is not trimmed: the trailing blank keeps the indentation.
      {"not trimmed", "\tsub f { ", false, "\t"},
      {"word at column 0", "foo", false, "\t"},
      // A double-byte character whose trail byte is "}" is no brace.
      {"trail byte like a brace", "$s = \"\x83\x7D", false, "\t"},
      {"double-byte last", "print \"\x82\xA0\";", false, ""},
      {"control characters only", "\f\v", false, ""},
  };
  for (const IndentCase& c : cases) {
    EXPECT_EQ(IndentAfterEnter(c.prefix, c.comment), c.indent) << c.name;
  }
}

TEST(AutoIndent, PrefixIsCutAt254Bytes) {
  // Byte 254 onward is never seen: the ";" there does not end the statement.
  const std::string open = "\t" + std::string(252, 'x') + "{";
  ASSERT_EQ(open.size(), kIndentPrefixLimit);
  EXPECT_EQ(IndentAfterEnter(open + ";", false), "\t\t");
  EXPECT_EQ(IndentAfterEnter(open + "    ;", false), "\t\t");
  const std::string closed = "\t" + std::string(252, 'x') + ";";
  EXPECT_EQ(IndentAfterEnter(closed + "{", false), "\t");
  // A cut through a double-byte character leaves its lead byte last.
  const std::string split = "\t" + std::string(252, 'x') + "\x83\x7D";
  EXPECT_EQ(IndentAfterEnter(split, false), "\t\t");
}

TEST(AutoIndent, BraceOutdent) {
  EXPECT_EQ(BraceOutdentStart("\t\t}", true, true), std::optional<std::size_t>(1));
  EXPECT_EQ(BraceOutdentStart("  }", true, true), std::optional<std::size_t>(1));
  EXPECT_EQ(BraceOutdentStart("\t}", true, true), std::optional<std::size_t>(0));
  EXPECT_EQ(BraceOutdentStart("}", true, true), std::nullopt);          // at the line start
  EXPECT_EQ(BraceOutdentStart("\t\t}", false, true), std::nullopt);     // not right after Enter
  EXPECT_EQ(BraceOutdentStart("\t\t}", true, false), std::nullopt);     // a selection
  EXPECT_EQ(BraceOutdentStart("\t\tx", true, true), std::nullopt);
  EXPECT_EQ(BraceOutdentStart("", true, true), std::nullopt);
  // The character before the brace is taken whole.
  EXPECT_EQ(BraceOutdentStart("\t\x82\xA0}", true, true), std::optional<std::size_t>(1));
}

}  // namespace
