#include "document/PerlWordAt.h"

#include <gtest/gtest.h>

namespace corvella {
namespace {

// The word at the first "|" of `marked`, which is taken out of the line.
std::string WordAtMark(std::string marked) {
  const std::size_t caret = marked.find('|');
  marked.erase(caret, 1);
  return PerlWordAt(marked, caret);
}

TEST(PerlWordAtTest, NamesWithPackagePartsInsideOrJustAfter) {
  EXPECT_EQ(WordAtMark("my @x = spl|ice(@a, 1);"), "splice");
  EXPECT_EQ(WordAtMark("|splice(@a, 1);"), "splice");
  EXPECT_EQ(WordAtMark("splice|(@a, 1);"), "splice");
  EXPECT_EQ(WordAtMark("use Getopt::Lo|ng;"), "Getopt::Long");
  EXPECT_EQ(WordAtMark("File::Temp->temp|dir(CLEANUP => 1)"), "tempdir");
  EXPECT_EQ(WordAtMark("File::|Temp->tempdir"), "File::Temp");
  EXPECT_EQ(WordAtMark("   |   "), "");
  EXPECT_EQ(WordAtMark("|"), "");
}

TEST(PerlWordAtTest, VariablesKeepTheirSigilAndPunctuation) {
  EXPECT_EQ(WordAtMark("print $|_;"), "$_");
  EXPECT_EQ(WordAtMark("print |$_;"), "$_");
  EXPECT_EQ(WordAtMark("print $_|;"), "$_");
  EXPECT_EQ(WordAtMark("for (@AR|GV) {"), "@ARGV");
  EXPECT_EQ(WordAtMark("die $|@ if $@;"), "$@");
  EXPECT_EQ(WordAtMark("print $0|;"), "$0");
  EXPECT_EQ(WordAtMark("local $|/ = undef;"), "$/");
  EXPECT_EQ(WordAtMark("$|^W = 1"), "$^W");
  EXPECT_EQ(WordAtMark("${^WARN|ING_BITS}"), "${^WARNING_BITS}");
  EXPECT_EQ(WordAtMark("@|_"), "@_");
  // Elements name their array or hash.
  EXPECT_EQ(WordAtMark("$EN|V{HOME}"), "%ENV");
  EXPECT_EQ(WordAtMark("$ARGV|[0]"), "@ARGV");
  EXPECT_EQ(WordAtMark("$x % |$y"), "$y");
}

TEST(PerlWordAtTest, OperatorsAndFileTests) {
  EXPECT_EQ(WordAtMark("$s =|~ /a/"), "=~");
  EXPECT_EQ(WordAtMark("$a <|=> $b"), "<=>");
  EXPECT_EQ(WordAtMark("'-' x| 20"), "x");
  EXPECT_EQ(WordAtMark("if (-|e $file)"), "-e");
  // A name just before the caret wins over the operator after it.
  EXPECT_EQ(WordAtMark("$a eq| $b"), "eq");
  EXPECT_EQ(WordAtMark("$x|->{a}"), "$x");
}

TEST(PerlWordAtTest, ShiftJisTrailBytesAreNoWordCharacters) {
  // "ソ" is 0x83 0x5C and "ア" 0x83 0x41: their second bytes are "\" and "A".
  const std::string line = "# \x83\x5C\x83\x41 sort";
  EXPECT_EQ(PerlWordAt(line, 4), "");
  EXPECT_EQ(PerlWordAt(line, 8), "sort");
}

}  // namespace
}  // namespace corvella
