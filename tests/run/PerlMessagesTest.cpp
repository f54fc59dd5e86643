// Perl's own messages from real perl runs, read back as places with the right kind.
#include "run/PerlMessages.h"

#include "run/PerlMessageCollector.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

// What `perl <options> <script>` prints on both streams, run in the script's folder.
std::string PerlSays(const std::string& options, const std::string& name, const std::string& code) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "corvella-perl-messages";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / name) << code;
  const std::string command = "cd '" + dir.string() + "' && perl " + options + " " + name + " 2>&1";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

struct Seen {
  long line;
  PerlMessageKind kind;
  std::string start;
};

void ExpectMessages(const std::string& output, const std::vector<Seen>& expected) {
  const std::vector<PerlMessage> messages = CollectPerlMessages(output);
  ASSERT_EQ(messages.size(), expected.size()) << output;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(messages[i].at.line, expected[i].line) << messages[i].text;
    EXPECT_EQ(messages[i].kind, expected[i].kind) << messages[i].text;
    EXPECT_EQ(messages[i].text.rfind(expected[i].start, 0), 0u) << messages[i].text;
    EXPECT_EQ(messages[i].text.find('\r'), std::string::npos);
  }
}

constexpr auto E = PerlMessageKind::Error;
constexpr auto W = PerlMessageKind::Warning;

TEST(PerlMessages, SyntaxCheckErrorsAndWarnings) {
  const std::string out = PerlSays("-c", "check.pl",
                                   "use strict;\nuse warnings;\nmy $x = 1;\nif ($x = 2) { print \"a\" }\n$y = 1;\n"
                                   "$z = 2;\n");
  ExpectMessages(out, {{4, W, "Found = in conditional, should be =="},
                       {5, E, "Global symbol \"$y\" requires explicit package name"},
                       {6, E, "Global symbol \"$z\""}});
  // The summary line names no place.
  EXPECT_NE(out.find("check.pl had compilation errors"), std::string::npos);
  ExpectMessages(PerlSays("-c", "syntax.pl", "my @a = (1);\nif (1) { print \"b\"\nmy $z = ;\n"),
                 {{3, E, "syntax error at syntax.pl line 3, near"}, {3, E, "Missing right curly"}});
}

TEST(PerlMessages, RunTimeWarningsAndDeath) {
  const std::string out =
      PerlSays("-w", "run.pl",
               "my $x;\nmy $s = \"a\" . $x;\nmy $n = \"b\" + 1;\n$once = 1;\nmy $t = 1 + undef;\n"
               "die \"cannot open: nothing\";\n");
  ExpectMessages(out, {{4, W, "Name \"main::once\" used only once"},
                       {2, W, "Use of uninitialized value $x in concatenation"},
                       {3, W, "Argument \"b\" isn't numeric"},
                       {5, W, "Use of uninitialized value in addition"},
                       {6, E, "cannot open: nothing at run.pl line 6"}});
}

TEST(PerlMessages, MissingModuleAndCategories) {
  ExpectMessages(PerlSays("-c", "use.pl", "use No::Such::Module;\n"),
                 {{1, E, "Can't locate No/Such/Module.pm"}, {1, E, "BEGIN failed--compilation aborted"}});
  // Lines in the pane end with CR LF; the diagnostics pragma's category marks a warning.
  ExpectMessages("(W misc) Odd thing at a.pl line 3.\r\nfatal thing at a.pl line 4, <STDIN> line 2.\r\n",
                 {{3, W, "(W misc)"}, {4, E, "fatal thing"}});
  EXPECT_EQ(ClassifyPerlMessage("  Useless use of a constant (42) in void context at a.pl line 1."), W);
  EXPECT_EQ(ClassifyPerlMessage("Died at a.pl line 1."), E);
}

// The pane's text comes block by block, cut anywhere: in a line, between CR
// and LF, inside " line ". Every cut finds what the whole text does.
TEST(PerlMessages, CollectedPieceByPieceAsFromTheWhole) {
  const std::string out =
      PerlSays("-w", "pieces.pl", "print qq(a line 9 of output\n);\nmy $u; print $u + 1, qq(\n);\ndie qq(gone);\n");
  std::string text;  // as the pane holds it: CR LF
  for (const char c : out) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  text += "last at tail.pl line 7";  // no line end after it
  const std::vector<PerlMessage> whole = CollectPerlMessages(text);
  ASSERT_EQ(whole.size(), 3u) << text;
  EXPECT_EQ(whole.back().at.file, "tail.pl");
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    for (const std::size_t second : {cut, std::min(cut + 5, text.size())}) {
      PerlMessageCollector collector;
      collector.Feed(std::string_view(text).substr(0, cut));
      collector.Feed(std::string_view(text).substr(cut, second - cut));
      collector.Feed(std::string_view(text).substr(second));
      // Asked for before the end, the collector gives the same and goes on.
      const std::size_t sofar = collector.Messages().size();
      const std::vector<PerlMessage> pieces = collector.Finish();
      ASSERT_EQ(sofar, whole.size()) << cut;
      ASSERT_EQ(pieces.size(), whole.size()) << cut;
      for (std::size_t i = 0; i < whole.size(); ++i) {
        EXPECT_EQ(pieces[i].text, whole[i].text) << cut;
        EXPECT_EQ(pieces[i].at.line, whole[i].at.line) << cut;
      }
    }
  }
}

}  // namespace
