// HTML export: the page text, the scanner's rules, the colour settings and the file name.
#include "export/HtmlExport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Profile.h"

using namespace corvella;

namespace {

const HtmlColours kColours{"blue", "green", "teal", "fuchsia", "red"};
const std::string kHead =
    "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html;charset=Shift_JIS\">\r\n"
    "<meta name=\"GENERATOR\" content=\"Corvella\">\r\n<title>hello.pl</title>\r\n</head>\r\n<body>\r\n<pre>";
const std::string kTail = "</pre>\r\n</body>\r\n</html>";

std::string Lf2CrLf(std::string_view s) {
  std::string out;
  for (char c : s) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

// The part of the page between "<pre>" and "</pre>".
std::string Body(std::string_view text, int tabWidth = 4) {
  const std::string page = BuildHtmlPage(text, kColours, tabWidth, "hello.pl");
  EXPECT_EQ(page.substr(0, kHead.size()), kHead);
  EXPECT_EQ(page.substr(page.size() - kTail.size()), kTail);
  return page.substr(kHead.size(), page.size() - kHead.size() - kTail.size());
}

std::string Span(const std::string& colour, std::string_view inner) {
  return "<font color=\"" + colour + "\">" + std::string(inner) + "</font>";
}

TEST(HtmlExport, ReproducesTheReferencePage) {
  const std::string text =
      "# hello <world>\r\n"
      "my $x = \"a<b & \\\"c\\\"\";\r\n"
      "print &greet($x) if $x =~ /^a\\d+/i;\r\n"
      "$y = $x / 2;\r\n"
      "$s =~ s/a/b/g;\r\n"
      "print <<\"EOF\";\r\n"
      "line & <1>\r\n"
      "EOF\r\n"
      "\tmy @a = qw(1 2);\r\n";
  const std::string expected = Lf2CrLf(R"(<html>
<head>
<meta http-equiv="Content-Type" content="text/html;charset=Shift_JIS">
<meta name="GENERATOR" content="Corvella">
<title>hello.pl</title>
</head>
<body>
<pre><font color="green"># hello &lt;world&gt;</font>
<font color="blue">my</font> $x = <font color="teal">"a&lt;b &amp; \&quot;c\&quot;"</font>;
<font color="blue">print</font> <font color="red">&amp;greet</font>($x) <font color="blue">if</font> $x =~ <font color="fuchsia">/^a\d+/</font>i;
$y = $x / 2;
$s =~ <font color="blue">s</font><font color="fuchsia">/a/b/</font>g;
<font color="blue">print</font> &lt;&lt;<font color="teal">"EOF"</font>;
<font color="teal">line &amp; &lt;1&gt;
EOF
</font>    <font color="blue">my</font> @a = qw(1 2);
</pre>
</body>
</html>)");
  EXPECT_EQ(BuildHtmlPage(text, kColours, 4, "hello.pl"), expected);
}

TEST(HtmlExport, SlashDividesOnlyAfterAnOperand) {
  EXPECT_EQ(Body("$x / 2"), "$x / 2");
  EXPECT_EQ(Body("f(1) / 2; $a[0]  /2"), "f(1) / 2; $a[0]  /2");
  EXPECT_EQ(Body("split /,/"), Span("blue", "split") + " " + Span("fuchsia", "/,/"));
  EXPECT_EQ(Body("/a/\n/b/"), Span("fuchsia", "/a/") + "\r\n" + Span("fuchsia", "/b/"));
  for (const std::string before : {"}", ";", "(", "=", ","})
    EXPECT_EQ(Body(before + " /a\\/b/x"), before + " " + Span("fuchsia", "/a\\/b/") + "x") << before;
}

TEST(HtmlExport, AmpersandsAndSubroutineCalls) {
  EXPECT_EQ(Body("& $x"), "&amp; $x");
  EXPECT_EQ(Body("&&"), "&amp;&amp;");
  EXPECT_EQ(Body("&"), "&amp;");
  EXPECT_EQ(Body("&f(1)g / 2"), Span("red", "&amp;f") + "(1)g / 2");  // the span closes once
  EXPECT_EQ(Body("&Foo::b'c;"), Span("red", "&amp;Foo::b'c") + ";");
  EXPECT_EQ(Body("&f"), Span("red", "&amp;f"));  // closed at the end of the text
}

TEST(HtmlExport, SpansOpenAtTheEndOfTheTextAreClosed) {
  EXPECT_EQ(BuildHtmlPage("# c", kColours, 4, "hello.pl"), kHead + Span("green", "# c") + kTail);
  EXPECT_EQ(Body("\"abc"), Span("teal", "\"abc"));
  EXPECT_EQ(Body("x = /abc"), "x = " + Span("fuchsia", "/abc"));
  EXPECT_EQ(Body("a"), "a");
  EXPECT_EQ(Body(""), "");
}

TEST(HtmlExport, QuoteLikeOperators) {
  EXPECT_EQ(Body("q{a}{b;"), Span("blue", "q") + Span("fuchsia", "{a}{") + "b;");
  EXPECT_EQ(Body("m<x<"), Span("blue", "m") + Span("fuchsia", "&lt;x&lt;"));
  EXPECT_EQ(Body("tr/a/b/;"), Span("blue", "tr") + Span("fuchsia", "/a/b/") + ";");
  EXPECT_EQ(Body("s => 1; y\tx"), "s =&gt; 1; y   x");
  EXPECT_EQ(Body("qw(a) qr/b/"), "qw(a) qr" + Span("fuchsia", "/b/"));
}

TEST(HtmlExport, HereDocuments) {
  const std::string open = Span("blue", "print") + " &lt;&lt;";
  EXPECT_EQ(Body("print <<EOF;\nx\nEOF\ny"),
            open + Span("teal", "EOF") + ";\r\n" + Span("teal", "x\r\nEOF\r\n") + "y");
  EXPECT_EQ(Body("print <<'EOF';\nEOF\n"), open + Span("teal", "'EOF'") + ";\r\n" + Span("teal", "EOF\r\n"));
  EXPECT_EQ(Body("1 << 2 <<= 3"), "1 &lt;&lt; 2 &lt;&lt;= 3");
  // Two on one line: each word is shown as written; together they end the body.
  EXPECT_EQ(Body("f(<<A, <<B);\na\nAB\nz"), "f(&lt;&lt;" + Span("teal", "A") + ", &lt;&lt;" + Span("teal", "B") +
                                                ");\r\n" + Span("teal", "a\r\nAB\r\n") + "z");
  // "<< x": the body ends at the first empty line.
  EXPECT_EQ(Body("print << x ;\nfoo\n\nz"), open + " x ;\r\n" + Span("teal", "foo\r\n\r\n") + "z");
  // A line feed right after the word is read before the body line is set.
  EXPECT_EQ(Body("print <<EOF\nEOF\nb\nEOF\n"),
            open + Span("teal", "EOF") + "\r\nEOF\r\n" + Span("teal", "b\r\nEOF\r\n"));
  EXPECT_EQ(Body("<<\"\n$x"), "&lt;&lt;" + Span("teal", "\"") + "\r\n$x");  // nothing left to wait for
  EXPECT_EQ(Body("<<EOF;\nnever"), "&lt;&lt;" + Span("teal", "EOF") + ";\r\n" + Span("teal", "never"));
}

TEST(HtmlExport, TabsExpandToTheNextStop) {
  EXPECT_EQ(Body("\tx"), "    x");
  EXPECT_EQ(Body("ab\tc\n1\tx\ta\t\tb"), "ab  c\r\n1   x   a       b");
  EXPECT_EQ(Body("\"\t\""), Span("teal", "\"   \""));
  EXPECT_EQ(Body("\tx", 8), "        x");
  EXPECT_EQ(Body("\tx", 0), " x");  // an unusable width is taken as 1
}

TEST(HtmlExport, BytesPassThrough) {
  // 表 (95 5C) in a string: its trail byte does not escape the closing quote.
  EXPECT_EQ(Body("\"\x95\x5C\";"), Span("teal", "\"\x95\x5C\"") + ";");
  // Outside strings the scanner reads single bytes, so 5C acts as a backslash.
  EXPECT_EQ(Body("\x95\x5C\"a\""), "\x95\x5C&quot;a" + Span("teal", "\""));
  EXPECT_EQ(Body(std::string("a\0b\0", 4)), std::string("a\0b\0", 4));
  EXPECT_EQ(Body("a\rb\r\nc\r\r\n"), "a\rb\r\nc\r\r\n");
}

TEST(HtmlExport, DeeplyNestedBracketsNeedNoDeepStack) {
  std::string subscripts, calls;
  for (int i = 0; i < 200000; ++i) subscripts += "$a{", calls += "&f(";
  EXPECT_EQ(Body(subscripts), subscripts);
  EXPECT_EQ(Body(calls).substr(0, 2 * (Span("red", "&amp;f") + "(").size()),
            Span("red", "&amp;f") + "(" + Span("red", "&amp;f") + "(");
}

TEST(HtmlExport, TitleFileNameAndColourText) {
  EXPECT_EQ(HtmlExportFileName("hello.pl"), "hello.pl.html");
  const std::string page = BuildHtmlPage("", kColours, 4, "a<b>&\".pl");
  EXPECT_NE(page.find("<title>a&lt;b&gt;&amp;&quot;.pl</title>"), std::string::npos);
  EXPECT_EQ(FormatHtmlColor(0x0000FF), "#ff0000");
  EXPECT_EQ(FormatHtmlColor(0xFF0000), "#0000ff");
  EXPECT_EQ(FormatHtmlColor(0x0000C0), "#c00000");
  EXPECT_EQ(FormatHtmlColor(0x808000), "#008080");
  EXPECT_EQ(FormatHtmlColor(kAutomaticColor), "#000000");
}

// Records the order of reads and writes.
class LoggingProfile : public MemoryProfile {
 public:
  std::optional<std::string> Read(std::string_view section, std::string_view entry) const override {
    log += "R" + std::string(entry) + " ";
    return MemoryProfile::Read(section, entry);
  }
  void Write(std::string_view section, std::string_view entry, std::string_view value) override {
    log += "W" + std::string(entry) + " ";
    MemoryProfile::Write(section, entry, value);
  }
  mutable std::string log;
};

TEST(HtmlExport, ColoursAreReadAndWrittenInTheirOrder) {
  LoggingProfile p;
  EXPECT_EQ(LoadHtmlColours(p, 0xFF0000, 0x0000C0, 0x808000),
            (HtmlColours{"#0000ff", "#c00000", "#008080", "fuchsia", "red"}));
  EXPECT_EQ(p.log, "RHTML_KWD RHTML_COM RHTML_STR RHTML_REG RHTML_SUB ");
  p.log.clear();
  SaveHtmlColours(p, kColours);
  EXPECT_EQ(p.log, "WHTML_KWD WHTML_COM WHTML_STR WHTML_REG WHTML_SUB ");
  EXPECT_EQ(p.GetProfileString("Settings", "HTML_REG"), "fuchsia");
  EXPECT_EQ(LoadHtmlColours(p, 0, 0, 0), kColours);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A longer script; CORVELLA_UPDATE_GOLDEN=1 rewrites the expected page.
TEST(HtmlExport, GoldenSample) {
  const std::filesystem::path dir = std::filesystem::path(CORVELLA_TEST_DATA) / "golden";
  const std::string text = ReadFile(dir / "sample.pl");
  ASSERT_FALSE(text.empty());
  const std::string page = BuildHtmlPage(text, kColours, 4, "sample.pl");
  if (std::getenv("CORVELLA_UPDATE_GOLDEN") != nullptr) std::ofstream(dir / "sample.html", std::ios::binary) << page;
  EXPECT_EQ(page, ReadFile(dir / "sample.html"));
}

// Without the tags and entities, the page body is the text with CR LF for
// every line end and tabs expanded; checked over the installed Perl library.
TEST(HtmlExport, PerlLibraryRoundTrips) {
  std::vector<std::filesystem::path> dirs;
  if (FILE* perl = popen("perl -e 'print join qq(\\n), @INC'", "r")) {
    char buf[4096];
    while (std::fgets(buf, sizeof buf, perl) != nullptr) dirs.emplace_back(std::string(buf, std::strcspn(buf, "\n")));
    pclose(perl);
  }
  std::size_t files = 0;
  for (const auto& dir : dirs) {
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
      if (it->path().extension() != ".pm" || !it->is_regular_file()) continue;
      const std::string text = ReadFile(it->path());
      std::string expected;
      int column = 0;
      for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (c == '\t') {
          expected.append(static_cast<std::size_t>(4 - column % 4), ' ');
          column = 0;
          continue;
        }
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
        column = c == '\n' ? 0 : column + 1;
      }
      const std::string body = Body(text);
      std::string plain;
      for (std::size_t i = 0; i < body.size();) {
        if (body[i] == '<') {
          i = body.find('>', i) + 1;
        } else if (body[i] == '&') {
          const std::size_t semi = body.find(';', i);
          const std::string entity = body.substr(i, semi + 1 - i);
          plain += entity == "&lt;" ? '<' : entity == "&gt;" ? '>' : entity == "&amp;" ? '&' : '"';
          ASSERT_TRUE(entity == "&lt;" || entity == "&gt;" || entity == "&amp;" || entity == "&quot;") << entity;
          i = semi + 1;
        } else {
          plain += body[i++];
        }
      }
      ASSERT_EQ(plain, expected) << it->path();
      ++files;
    }
  }
  EXPECT_GT(files, 100u) << "no Perl library found";
}

}  // namespace
