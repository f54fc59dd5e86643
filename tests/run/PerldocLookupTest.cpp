#include "run/PerldocLookup.h"

#include <gtest/gtest.h>

namespace corvella {
namespace {

using Args = std::vector<std::string>;

Args Plain(std::initializer_list<std::string> rest) {
  Args args{"-T", "-t"};
  args.insert(args.end(), rest);
  return args;
}

TEST(PerldocLookupTest, FunctionsVariablesModulesAndPages) {
  EXPECT_EQ(PerldocCallsFor("splice"), (std::vector<PerldocCall>{{Plain({"-f", "splice"}), ""}, {Plain({"splice"}), ""}}));
  EXPECT_EQ(PerldocCallsFor("  $_ "), (std::vector<PerldocCall>{{Plain({"-v", "$_"}), ""}}));
  EXPECT_EQ(PerldocCallsFor("@ARGV").front().args, Plain({"-v", "@ARGV"}));
  EXPECT_EQ(PerldocCallsFor("%ENV").front().args, Plain({"-v", "%ENV"}));
  EXPECT_EQ(PerldocCallsFor("Getopt::Long"), (std::vector<PerldocCall>{{Plain({"Getopt::Long"}), ""}}));
  EXPECT_EQ(PerldocCallsFor("perlsyn"), (std::vector<PerldocCall>{{Plain({"perlsyn"}), ""}}));
  // A capitalised word is more likely a module than a function.
  EXPECT_EQ(PerldocCallsFor("Carp").front().args, Plain({"Carp"}));
  EXPECT_EQ(PerldocCallsFor("-e"), (std::vector<PerldocCall>{{Plain({"-f", "-e"}), ""}}));
  EXPECT_TRUE(PerldocCallsFor(" \t").empty());
}

TEST(PerldocLookupTest, OperatorsAndKeywordsGoToTheirSection) {
  EXPECT_EQ(PerldocCallsFor("x"), (std::vector<PerldocCall>{{Plain({"perlop"}), "Multiplicative Operators"}}));
  EXPECT_EQ(PerldocCallsFor("eq").front().section, "Equality Operators");
  EXPECT_EQ(PerldocCallsFor("=~").front().section, "Binding Operators");
  EXPECT_EQ(PerldocCallsFor("||=").front().section, "Assignment Operators");
  EXPECT_EQ(PerldocCallsFor("<=").front().section, "Relational Operators");
  EXPECT_EQ(PerldocCallsFor("foreach"), (std::vector<PerldocCall>{{Plain({"perlsyn"}), "Foreach Loops"}}));
  EXPECT_EQ(PerldocCallsFor("if").front().section, "Compound Statements");
  // perlfunc has entries of their own for these.
  EXPECT_EQ(PerldocCallsFor("my").front().args, Plain({"-f", "my"}));
  EXPECT_EQ(PerldocCallsFor("qw").front().args, Plain({"-f", "qw"}));
}

TEST(PerldocLookupTest, FindHeadingLineIgnoresIndentOnly) {
  const std::string text = "NAME\n    perlop\n\n  Binding Operators\n    Binding Operators are\n";
  EXPECT_EQ(FindHeadingLine(text, "Binding Operators"), 3u);
  EXPECT_EQ(FindHeadingLine(text, "Binding"), std::string::npos);
  EXPECT_EQ(FindHeadingLine(text, "NAME"), 0u);
}

}  // namespace
}  // namespace corvella
