// The package and sub declarations of a script: only those in code, and kept right through edits.
#include "document/SubIndex.h"

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/TextDocument.h"

namespace corvella {
namespace {

using Kind = SubEntry::Kind;

}  // namespace

void PrintTo(const SubEntry& e, std::ostream* out) {
  *out << (e.kind == Kind::kSub ? "sub " : "package ") << e.name << " @" << e.line;
}

namespace {

std::vector<SubEntry> Fresh(const std::string& text) {
  TextDocument doc;
  doc.Buffer().SetLimitText(0);
  doc.Load(text);
  return doc.Subs().Entries();
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

TEST(SubIndex, ListsOnlyDeclarationsInCode) {
  const std::string text = Lines({
      "#!/usr/bin/perl",                           // 0
      "package Foo;",                              // 1
      "sub alpha { 1 }",                           // 2
      "my $s = \"sub fake {\"; # sub fake {}",     // 3
      "my $anon = sub { 2 }; my $b = sub($) {};",  // 4
      "sub beta($$) { }",                          // 5
      "\tsub gamma :lvalue { }",                   // 6
      "sub Foo::delta;",                           // 7
      "print <<\"EOT\", <<'RAW';",                 // 8
      "sub fake {",                                // 9
      "EOT",                                       // 10
      "sub fake {",                                // 11
      "RAW",                                       // 12
      "sub epsilon { <<~X } sub eta {}",           // 13
      "  sub fake {",                              // 14
      "  X",                                       // 15
      "=head1 NAME",                               // 16
      "",                                          // 17
      "sub fake {}",                               // 18
      "=cut",                                      // 19
      "package Bar::Baz 1.02 {",                   // 20
      "  sub zeta { }",                            // 21
      "}",                                         // 22
      "my %h = (sub => 1); $h{sub} = q!sub x!; s/sub y//; $x->sub(1);",  // 23
      "print 1 << 2; sub theta {}",                // 24
      "__END__",                                   // 25
      "sub fake {}",                               // 26
  });
  const std::vector<SubEntry> expected = {
      {Kind::kPackage, "Foo", 1},     {Kind::kSub, "alpha", 2},         {Kind::kSub, "beta", 5},
      {Kind::kSub, "gamma", 6},       {Kind::kSub, "Foo::delta", 7},    {Kind::kSub, "epsilon", 13},
      {Kind::kSub, "eta", 13},        {Kind::kPackage, "Bar::Baz", 20}, {Kind::kSub, "zeta", 21},
      {Kind::kSub, "theta", 24},
  };
  EXPECT_EQ(Fresh(text), expected);
}

TEST(SubIndex, EntryAtIsTheLastDeclarationAtOrAboveTheLine) {
  TextDocument doc;
  doc.Load(Lines({"use strict;", "sub a {", "}", "sub b {", "  1;", "}"}));
  EXPECT_EQ(doc.Subs().EntryAt(0), SubIndex::npos);
  EXPECT_EQ(doc.Subs().EntryAt(2), 0u);
  EXPECT_EQ(doc.Subs().EntryAt(4), 1u);
}

// Typing in one line reads that line, also inside a heredoc's body; opening
// a heredoc reads every line below it, since each of them is now in its
// body, and so does closing it again.
TEST(SubIndex, AnEditReadsOnlyTheLinesItChanged) {
  TextDocument doc;
  doc.Buffer().SetLimitText(0);
  std::vector<std::string> lines;
  for (int i = 0; i < 2000; ++i) lines.push_back(i % 10 == 0 ? "sub s" + std::to_string(i) + " {" : "  $x++; }");
  doc.Load(Lines(lines));
  EditBuffer& buffer = doc.Buffer();
  ASSERT_EQ(doc.Subs().Entries().size(), 200u);
  const auto typeAt = [&](std::size_t line, std::string_view text) {
    const std::size_t at = buffer.LineEnd(line);
    buffer.SetSel(at, at);
    const std::size_t before = doc.Subs().ReadLines();
    buffer.ReplaceSel(text);
    return doc.Subs().ReadLines() - before;
  };
  EXPECT_EQ(typeAt(1000, "x"), 1u);
  EXPECT_EQ(typeAt(1000, "\r\nsub added {}"), 2u);
  EXPECT_EQ(doc.Subs().Entries().size(), 201u);
  EXPECT_GE(typeAt(500, " <<E;"), 1500u);
  EXPECT_EQ(doc.Subs().Entries().size(), 51u);
  EXPECT_GE(typeAt(501, "\r\nE"), 1500u);
  EXPECT_EQ(doc.Subs().Entries().size(), 201u);
  EXPECT_EQ(typeAt(501, "sub in_body {}"), 1u);
  EXPECT_EQ(doc.Subs().Entries(), Fresh(buffer.GetText()));
}

// Random edits that open and close heredocs and POD, split and join lines:
// after each one the index is what a fresh index of the whole text finds,
// and its revision moves exactly when the listed names change.
TEST(SubIndex, AgreesWithAFreshIndexAfterRandomEdits) {
  TextDocument doc;
  doc.Buffer().SetLimitText(0);
  std::mt19937 rng(11);
  const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  const std::vector<std::string> lines = {"sub a {", "package P;", "}", "print <<E;", "E", "=pod", "=cut", "",
                                          "  x", "\"sub q\";", "# sub c", "__END__", "my $f = sub {", "s <<'E' ;"};
  const std::vector<std::string> inserts = {"x", "sub ", "b", "\r\n", "<<", "E", "=", "cut", "\"", "#", "'",
                                            "\r\nsub n {}\r\n", "package ", "~", "__END__\r\n"};
  std::string text;
  for (int i = 0; i < 60; ++i) text += lines[pick(lines.size())] + "\r\n";
  doc.Load(text);
  EditBuffer& buffer = doc.Buffer();
  const auto names = [](const std::vector<SubEntry>& entries) {
    std::vector<std::string> out;
    for (const SubEntry& e : entries) out.push_back((e.kind == Kind::kSub ? "sub " : "package ") + e.name);
    return out;
  };
  // First built a few lines at a time, edited between the slices.
  for (int step = 0; !doc.Subs().BuildSome(1 + pick(8)); ++step) {
    if (step >= 40) continue;
    const std::size_t at = pick(buffer.GetTextLength() + 1);
    buffer.SetSel(at, at);
    buffer.ReplaceSel(inserts[pick(inserts.size())]);
  }
  ASSERT_EQ(doc.Subs().Entries(), Fresh(buffer.GetText()));
  std::vector<std::string> before = names(doc.Subs().Entries());
  for (int step = 0; step < 1500; ++step) {
    const std::size_t length = buffer.GetTextLength();
    const std::size_t start = pick(length + 1);
    const std::size_t end = pick(3) == 0 ? std::min(length, start + pick(12)) : start;
    buffer.SetSel(start, end);
    const std::uint64_t revision = doc.Subs().Revision();
    buffer.ReplaceSel(pick(4) == 0 ? std::string() : inserts[pick(inserts.size())]);
    const std::vector<SubEntry>& entries = doc.Subs().Entries();
    ASSERT_EQ(entries, Fresh(buffer.GetText())) << "step " << step;
    const std::vector<std::string> after = names(entries);
    ASSERT_EQ(doc.Subs().Revision() != revision, after != before) << "step " << step;
    before = after;
  }
}

}  // namespace
// A line longer than the lexed part is read as far as it is coloured: a
// declaration or a heredoc past that part does not count.
TEST(SubIndex, ALongLineIsReadAsFarAsItIsColoured) {
  std::string line;
  while (line.size() < PerlLexer::kLexedPrefix) line += "x ";
  line.resize(PerlLexer::kLexedPrefix - 9);
  line += "; sub cut {} sub far {} print <<E;";  // "cut" ends the lexed part
  const std::vector<SubEntry> expected = {{Kind::kSub, "cut", 0}, {Kind::kSub, "after", 1}};
  EXPECT_EQ(Fresh(Lines({line, "sub after {}", "E"})), expected);
}

// Edits around the end of the lexed part of a long line, which may open a
// heredoc or a string there, or close one.
TEST(SubIndex, AgreesWithAFreshIndexAfterRandomEditsOnALongLine) {
  TextDocument doc;
  doc.Buffer().SetLimitText(0);
  std::mt19937 rng(13);
  const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  const std::vector<std::string> inserts = {"sub ", "x", "'", "<<E;", "E", "#", "=pod", "", "\r\nE\r\n"};
  std::string line;
  while (line.size() < PerlLexer::kLexedPrefix + 64) line += "sub a {} 'sub b' ";
  doc.Load(Lines({"print <<E;", "E", line, "sub z {}", "E", "sub y {}"}));
  EditBuffer& buffer = doc.Buffer();
  const std::size_t hot = buffer.LineIndex(2) + PerlLexer::kLexedPrefix;
  for (int step = 0; step < 300; ++step) {
    const std::size_t start = pick(2) == 0 ? hot - 16 + pick(32) : pick(buffer.GetTextLength() + 1);
    buffer.SetSel(start, pick(3) == 0 ? start + pick(12) : start);
    buffer.ReplaceSel(inserts[pick(inserts.size() - (step % 100 == 0 ? 0 : 1))]);
    ASSERT_EQ(doc.Subs().Entries(), Fresh(buffer.GetText())) << "step " << step;
  }
}

}  // namespace corvella
