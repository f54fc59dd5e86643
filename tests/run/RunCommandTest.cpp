// What a run starts: command lines, their split into arguments by the Windows rules, and PATH.
#include "run/RunCommand.h"

#include "platform/PathParts.h"

#include <gtest/gtest.h>

using namespace corvella;

namespace {
using Args = std::vector<std::string>;
}

TEST(RunCommandTest, CommandLinesAreComposedFromTheParts) {
  EXPECT_EQ(InterpreterName(1), "jperl");
  EXPECT_EQ(InterpreterName(0), "perl");
  EXPECT_EQ(InterpreterName(2), "perl");
  EXPECT_EQ(ScriptArgument("hello.pl"), "hello.pl");
  EXPECT_EQ(ScriptArgument("my test.pl"), "\"my test.pl\"");
  // A name perl would take for an option goes as a path in the folder.
  EXPECT_EQ(ScriptArgument("-e.pl"), "./-e.pl");
  EXPECT_EQ(ScriptArgument("-my test.pl"), "\"./-my test.pl\"");
  EXPECT_EQ(ScriptArgument("a-e.pl"), "a-e.pl");
  EXPECT_EQ(RunArgv("perl", " -d", "-e.pl", std::string("-x")), (Args{"perl", "-d", "./-e.pl", "-x"}));
  EXPECT_EQ(RunArgv("perl", "", "--", std::nullopt), (Args{"perl", "./--"}));
  EXPECT_EQ(RunCommandLine("perl", " -w", "\"my test.pl\"", std::string("a b")), "perl -w \"my test.pl\" a b");
  EXPECT_EQ(RunCommandLine("perl", "", "x.pl", std::nullopt), "perl x.pl");
  EXPECT_EQ(RunCommandLine("jperl", " -c", "x.pl", std::string()), "jperl -c x.pl ");  // empty arguments keep the blank
}

TEST(RunCommandTest, CommandLinesSplitByTheWindowsRules) {
  const struct {
    const char* line;
    Args args;
  } cases[] = {
      {"perl -w \"my test.pl\" a b", {"perl", "-w", "my test.pl", "a", "b"}},
      {"  perl   x.pl  ", {"perl", "x.pl"}},
      {"", {}},
      {"perl x.pl \"\"", {"perl", "x.pl", ""}},
      {"perl x.pl a\"b c\"d", {"perl", "x.pl", "ab cd"}},
      {"perl x.pl \"a \"\"quoted\"\" word\"", {"perl", "x.pl", "a \"quoted\" word"}},
      {"perl x.pl a\\\\\\\"b", {"perl", "x.pl", "a\\\"b"}},      // 3 backslashes + quote
      {"perl x.pl \"a\\\\\" b", {"perl", "x.pl", "a\\", "b"}},   // 2 backslashes + quote ends the group
      {"perl x.pl C:\\dir\\file", {"perl", "x.pl", "C:\\dir\\file"}},  // backslashes alone are literal
      {"perl x.pl 'single quotes' $HOME;rm", {"perl", "x.pl", "'single", "quotes'", "$HOME;rm"}},
      {"\"C:\\Program Files\\perl\" x.pl", {"C:\\Program Files\\perl", "x.pl"}},
      {"perl\tx.pl\t\"unclosed group", {"perl", "x.pl", "unclosed group"}},
      {"perl x.pl \x93\xfa\x96\x7b", {"perl", "x.pl", "\x93\xfa\x96\x7b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
}

TEST(RunCommandTest, ShellQuotingAndPath) {
  EXPECT_EQ(ShellQuote("a b"), "'a b'");
  EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
  EXPECT_EQ(ShellQuote(""), "''");
  EXPECT_EQ(PathWithFolder("/usr/bin:/bin", "/opt/perl/bin"), "/opt/perl/bin:/usr/bin:/bin");
  EXPECT_EQ(PathWithFolder("/opt/perl/bin:/usr/bin", "/opt/perl/bin"), "/opt/perl/bin:/usr/bin");
  EXPECT_EQ(PathWithFolder("/usr/bin", ""), "/usr/bin");
}
