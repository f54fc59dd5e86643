// Reading Perl's debugger: replies cut at prompts however the bytes come, and the stop, stack and dumps in them.
#include "run/DebuggerReplies.h"

#include <gtest/gtest.h>

using namespace corvella;

namespace {

// As perl5db 1.73 wrote it over its socket, highlighting included.
constexpr std::string_view kTranscript =
    "\nLoading DB routines from perl5db.pl version 1.73\nEditor support available.\n\n"
    "main::(t2.pl:2):\tmy $top = \"\xE3\x83\x88\";\n  DB<1> "
    "main::foo(t2.pl:3):\tsub foo { return bar($y) * 2; }\n  DB<1> "
    "@ = DB::DB called from file 't2.pl' line 3\n$ = main::foo(3, 'a b') called from file 'my dir/t(2).pl' line 5\n"
    "  DB<1> "
    "$y = 3\n%h = (\n   'k' => ARRAY(0x5653dc6605b0)\n      0  1\n)\n  DB<<2>> "
    "Debugged program terminated.  Use \x1b[1mq\x1b[0m to quit or \x1b[1mR\x1b[0m to restart,\n  DB<2> ";

TEST(DebuggerReplies, CutsAtPromptsWhereverTheReadsEnd) {
  DebuggerReplyReader whole;
  std::vector<std::string> expected;
  // One read per reply, as the debugger waits after each prompt.
  std::size_t from = 0;
  for (std::size_t at = kTranscript.find("> "); at != std::string_view::npos; at = kTranscript.find("> ", at + 2)) {
    for (std::string& r : whole.Feed(kTranscript.substr(from, at + 2 - from))) expected.push_back(std::move(r));
    from = at + 2;
  }
  ASSERT_EQ(expected.size(), 5u);
  EXPECT_EQ(expected[4], "Debugged program terminated.  Use q to quit or R to restart,\n");
  EXPECT_TRUE(IsProgramEnd(expected[4]));
  EXPECT_FALSE(IsProgramEnd(expected[1]));

  DebuggerReplyReader bytewise;
  std::vector<std::string> got;
  for (const char c : kTranscript) {
    for (std::string& r : bytewise.Feed(std::string_view(&c, 1))) got.push_back(std::move(r));
  }
  EXPECT_EQ(got, expected);
  EXPECT_TRUE(bytewise.Pending().empty());
  // A forked process's prompt.
  EXPECT_EQ(DebuggerReplyReader().Feed("x\n[pid=29574->29577]  DB<1> "), std::vector<std::string>{"x\n"});
  // "DB<1>" inside a line is no prompt.
  EXPECT_TRUE(DebuggerReplyReader().Feed("print '  DB<1> ' x 2;\n").empty());
}

TEST(DebuggerReplies, ReadsWhereTheProgramStopped) {
  using P = DebuggerPosition;
  EXPECT_EQ(ParseDebuggerPosition("main::(t2.pl:2):\tmy $top = 1;\n"), (P{"main::", "t2.pl", 2}));
  EXPECT_EQ(ParseDebuggerPosition("scalar context return from main::foo: 8\nFoo::Bar::baz(lib/Foo/Bar.pm:17):\tx();\n"),
            (P{"Foo::Bar::baz", "lib/Foo/Bar.pm", 17}));
  // A statement over two lines: the first line is where it stands.
  EXPECT_EQ(ParseDebuggerPosition("main::(a.pl:3):\tmy %h = (\nmain::(a.pl:4):\t  a => 1);\n"), (P{"main::", "a.pl", 3}));
  // Names holding ':' and parentheses.
  EXPECT_EQ(ParseDebuggerPosition("main::(/tmp/a:b (1).pl:9):\tx();\n"), (P{"main::", "/tmp/a:b (1).pl", 9}));
  EXPECT_EQ(ParseDebuggerPosition("main::((eval 12)[t.pl:5]:1):\t1;\n"), (P{"main::", "(eval 12)[t.pl:5]", 1}));
  EXPECT_EQ(ParseDebuggerPosition("Use 'q' to quit or 'R' to restart.\n"), std::nullopt);
  EXPECT_EQ(ParseDebuggerPosition("hello (world:x):\n"), std::nullopt);
}

TEST(DebuggerReplies, ReadsTheStackAndDumps) {
  const auto frames = ParseDebuggerStack(
      "@ = DB::DB called from file 't.pl' line 4\n"
      "$ = main::bar(9) called from file 't.pl' line 3\n"
      ". = main::foo('it''s', 2) called from file '/a b/t.pl' line 6\n"
      "$ = main::greet('M-^SM-zM-^V{', 2) called from file 't.pl' line 9\n");
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0], (DebuggerFrame{"main::bar(9)", "t.pl", 3}));
  EXPECT_EQ(frames[1], (DebuggerFrame{"main::foo('it''s', 2)", "/a b/t.pl", 6}));
  EXPECT_EQ(frames[2].call, "main::greet('\x93\xfa\x96{', 2)");  // Shift_JIS of 日本

  const auto rows = ParseDump("0  HASH(0x1)\n   'a' => ARRAY(0x2)\n      0  1\n\n   'b' => \"x\"\n");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (DumpRow{0, "0  HASH(0x1)"}));
  EXPECT_EQ(rows[2], (DumpRow{2, "0  1"}));
  EXPECT_EQ(rows[3], (DumpRow{1, "'b' => \"x\""}));
}

TEST(DebuggerReplies, QuotesAnyNameAsOneLineOfData) {
  EXPECT_EQ(PerlQuoted("a'b\\c"), "'a\\'b\\\\c'");
  EXPECT_EQ(PerlQuoted("x\ny"), "'x'.\"\\n\".'y'");
}

}  // namespace
