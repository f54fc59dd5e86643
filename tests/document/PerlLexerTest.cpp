// The Perl colouring tokenizer: classification of one line, runs, the comment flag and the backslash-code mark.
#include "document/PerlLexer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "document/PerlKeywords.h"

using namespace corvella;

namespace {

// One letter per byte: "." text, K keyword, C comment, S string, P pattern,
// F subroutine call, M marked character, blank for bytes in no run.
std::string Render(std::string_view line, const std::vector<TextRun>& runs, std::size_t lineStart = 0) {
  std::string out(line.size(), ' ');
  for (const TextRun& r : runs) {
    for (std::size_t i = r.start - lineStart; i < r.start - lineStart + r.length; ++i)
      out.at(i) = ".KCSPFM"[static_cast<int>(r.cls)];
  }
  return out;
}

// What every line's runs must satisfy, whatever the text.
void CheckRuns(std::string_view line, const std::vector<TextRun>& runs, std::size_t lineStart) {
  std::size_t end = lineStart;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    const TextRun& r = runs[k];
    ASSERT_GT(r.length, 0u);
    ASSERT_LE(r.start + r.length, lineStart + line.size());
    if (r.cls == LexClass::kMark) {  // over the character just painted
      ASSERT_EQ(r.length, 2u);
      ASSERT_EQ(r.start + 2, end);
      ASSERT_EQ(static_cast<unsigned char>(line[r.start + 1 - lineStart]), 0x5C);
      continue;
    }
    ASSERT_GE(r.start, end) << "runs overlap";
    for (std::size_t i = r.start; i < r.start + r.length; ++i) ASSERT_NE(line[i - lineStart], '\t');
    if (k > 0 && runs[k - 1].cls == r.cls) {
      ASSERT_NE(runs[k - 1].start + runs[k - 1].length, r.start) << "same-class runs not merged";
    }
    end = r.start + r.length;
  }
}

struct Lexed {
  std::string classes;
  bool comment;
};

Lexed Lex(std::string_view line) {
  PerlLexer lexer;
  std::vector<TextRun> runs;
  const bool comment = lexer.LexLine(line, 100, runs);
  CheckRuns(line, runs, 100);
  return {Render(line, runs, 100), comment};
}

struct Case {
  std::string line, classes;
};

void ExpectClasses(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(Lex(c.line).classes, c.classes) << c.line;
}

TEST(PerlKeywords, HoldsTheListInOrderAndMatchesExactly) {
  const auto words = PerlKeywords();
  ASSERT_EQ(words.size(), 211u);
  EXPECT_EQ(words.front(), "abs");
  EXPECT_EQ(words[53], "getc");
  EXPECT_EQ(words.back(), "write");
  for (std::string_view w : words) EXPECT_TRUE(IsPerlKeyword(w)) << w;
  for (std::string_view w : {"", "Print", "prin", "printff", "m", "q", "qq", "qx", "s", "y", "tr", "qw", "qr",
                             "getprotobynumbers", "_", "my_"})
    EXPECT_FALSE(IsPerlKeyword(w)) << w;
}

TEST(PerlLexer, CommentsAndWhatIsNoComment) {
  EXPECT_EQ(Lex("print $x # note").classes, "KKKKK....CCCCCC");
  EXPECT_TRUE(Lex("print $x # note").comment);
  EXPECT_TRUE(Lex("#").comment);
  for (const char* noComment : {"$#list", "$x{'#'}", "\"#\"", "s/#/x/", "$#{x}", "print"})
    EXPECT_FALSE(Lex(noComment).comment) << noComment;
  EXPECT_EQ(Lex("$x{'#'}").classes, "...SSS.");
  EXPECT_EQ(Lex("$x{#}").classes, "...CC");  // a comment may begin inside a subscript
  EXPECT_TRUE(Lex("$x{#}").comment);
}

TEST(PerlLexer, SlashDividesAfterAnOperandAndOtherwiseStartsAPattern) {
  ExpectClasses({
      {"$a / $b / 2", "..........."},
      {"split /,/, $s", "KKKKK.PPP...."},
      {"$s =~ s/a/b/gi", "......KPPPPP.."},
      {"$x =~ /ab+/i", "......PPPPP."},
      {"/x/", "PPP"},
      {"f(1) / 2", "........"},
      {"$a[1]/2", "......."},
      {"1.5e3/2", "......."},
      {"} /x/", "..PPP"},
      {"$x{a} / 2", "........."},  // the variable ends as an operand
      {"/a\\/b/g;", "PPPPPP.."},   // an escaped delimiter does not close
  });
}

TEST(PerlLexer, QuoteLikeWords) {
  ExpectClasses({
      {"s => 1", "......"},
      {"y = 2", "....."},
      {"s=1", "KPP"},  // "=" is taken as the delimiter
      {"q{a}", "KPPP"},  // "}" does not close: the pattern runs on
      {"qq|x| . 1", "KKPPP...."},
      {"tr/a-z/A-Z/;", "KKPPPPPPPPP."},
      {"y/a/b/", "KPPPPP"},
      {"m", "."},
      {"qx", ".."},
      {"m\tx", ". ."},
      {"qw(a b)", "......."},  // not a quote-like word here
      {"$h{s}", "...KP"},
      {"time / 2", "KKKK.PPP"},
      {"${x} /2/", ".....PPP"},
  });
}

TEST(PerlLexer, VariablesAndSubroutineCalls) {
  ExpectClasses({
      {"&foo($x)", "FFFF...."},
      {"foo($x)", "......."},
      {"&&", ".."},
      {"& $x", "...."},
      {"&", "."},
      {"&_x", "FFF"},
      {"&Foo::bar'baz", "FFFFFFFFFFFFF"},
      {"&f(1)g", "FF...F"},
      {"&f(\"a\") / 2", "FF.SSS....."},
      {"$Foo::x'y", "........."},
      {"@{$r}", "....."},
      {"$x{\"k\"}[1] + 0", "...SSS........"},
  });
}

TEST(PerlLexer, StringsEndWithTheirLine) {
  ExpectClasses({
      {"\"a\\\"b\" . 1", "SSSSSS...."},
      {"'a\\\\'b", "SSSSS."},
      {"print \"abc", "KKKKK.SSSS"},
      {"def\";", "...SS"},  // the next line is scanned from scratch
  });
}

TEST(PerlLexer, TabsSplitRunsAndStayUncovered) {
  PerlLexer lexer;
  std::vector<TextRun> runs;
  lexer.LexLine("print\t\"a\tb\"", 10, runs);
  const std::vector<TextRun> expected = {{10, 5, LexClass::kKeyword}, {16, 2, LexClass::kString},
                                        {19, 2, LexClass::kString}};
  EXPECT_EQ(runs, expected);
}

// 表 is 95 5C: Perl would read its trail byte as a backslash.
TEST(PerlLexer, MarksDoubleByteCharactersEndingIn5COutsidePatternsAndComments) {
  PerlLexer lexer;
  std::vector<TextRun> runs;
  lexer.LexLine("\"\x95\x5C\"", 0, runs);
  EXPECT_EQ(runs, (std::vector<TextRun>{{0, 3, LexClass::kString}, {1, 2, LexClass::kMark}, {3, 1, LexClass::kString}}));
  lexer.LexLine("\x95\x5C;", 0, runs);
  EXPECT_EQ(runs, (std::vector<TextRun>{{0, 2, LexClass::kText}, {0, 2, LexClass::kMark}, {2, 1, LexClass::kText}}));
  ExpectClasses({
      {"/\x95\x5C/", "PPPP"},
      {"#\x95\x5C", "CCC"},
      {"\"\x95\x5C\x93\xFA\"", "SMMSSS"},  // 日 (93 FA) is not marked
      {"'\x83\x5C' . 1", "SMMS...."},       // ソ
      {"\x95\x5C", "MM"},
  });
}

TEST(PerlLexer, OddBytes) {
  ExpectClasses({
      {"\"\x81 x\"", "S SSS"},  // a lead byte without a trail byte is left unpainted
      {"\"\x81", "S "},
      {"\x81", "."},
      {"\x81\t", ". "},
      {"\xB1\xB2 /x/", "...PPP"},  // half-width kana are single bytes
      {std::string("a\0#c", 4), "..CC"},  // NUL is an ordinary byte
  });
  EXPECT_TRUE(Lex(std::string("\0#", 2)).comment);
  EXPECT_EQ(Lex("").classes, "");
}

TEST(PerlLexer, ColouringOffStillReportsComments) {
  PerlLexer lexer;
  lexer.SetStress(false);
  std::vector<TextRun> runs = {{1, 1, LexClass::kText}};
  EXPECT_TRUE(lexer.LexLine("print \"\x95\x5C\" # x", 0, runs));
  EXPECT_TRUE(runs.empty());
  EXPECT_FALSE(lexer.LexLine("$#x", 0, runs));
}

TEST(PerlLexer, AWordOfMoreThan1023BytesEndsTheScanOfItsLine) {
  const std::string longest(PerlLexer::kMaxWord, 'a');
  Lexed r = Lex(longest + " #");
  EXPECT_TRUE(r.comment);
  EXPECT_EQ(r.classes, std::string(PerlLexer::kMaxWord + 1, '.') + "C");
  r = Lex(longest + "b #");
  EXPECT_FALSE(r.comment);
  EXPECT_EQ(r.classes, std::string(PerlLexer::kMaxWord, '.') + "   ");
  r = Lex("$x{" + longest + "b} #");  // also inside brackets
  EXPECT_FALSE(r.comment);
}

TEST(PerlLexer, DeeplyNestedBracketsNeedNoDeepStack) {
  std::string subscripts, calls;
  for (int i = 0; i < 200000; ++i) subscripts += "$a{", calls += "&f(";
  const Lexed a = Lex(subscripts + "#");
  EXPECT_TRUE(a.comment);
  EXPECT_EQ(a.classes.find_first_not_of('.'), subscripts.size());
  EXPECT_EQ(Lex(calls).classes.substr(0, 6), "FF.FF.");
}

// Every line of a sample script against its expected classes ("1 " before a
// line with a comment). CORVELLA_UPDATE_GOLDEN=1 rewrites the expectation.
TEST(PerlLexer, GoldenSample) {
  const std::string dir = std::string(CORVELLA_TEST_DATA) + "/golden/";
  std::ifstream in(dir + "colouring.pl", std::ios::binary);
  ASSERT_TRUE(in) << dir;
  std::ostringstream actual;
  std::string line;
  PerlLexer lexer;
  std::vector<TextRun> runs;
  std::size_t start = 0;
  while (std::getline(in, line)) {
    const bool comment = lexer.LexLine(line, start, runs);
    CheckRuns(line, runs, start);
    actual << (comment ? "1 " : "0 ") << Render(line, runs, start) << "\n";
    start += line.size() + 1;
  }
  if (std::getenv("CORVELLA_UPDATE_GOLDEN") != nullptr) std::ofstream(dir + "colouring.classes") << actual.str();
  std::ifstream golden(dir + "colouring.classes", std::ios::binary);
  std::ostringstream expected;
  expected << golden.rdbuf();
  EXPECT_EQ(actual.str(), expected.str());
}

}  // namespace
