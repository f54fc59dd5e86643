// Benchmarks of the Perl colouring tokenizer and the HTML export over the corpus script in Shift_JIS.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Corpus.h"
#include "document/PerlLexer.h"
#include "export/HtmlExport.h"

using namespace corvella;

namespace {

using corvella::bench::CorpusPath;

std::string ToCp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out(utf8.size(), '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* dst = out.data();
  std::size_t outLeft = out.size();
  const bool ok = iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (!ok) return {};
  out.resize(out.size() - outLeft);
  return out;
}

// The corpus script as the editor holds it: Shift_JIS with CR LF line ends,
// and the byte ranges of its lines without their line ends.
struct Corpus {
  std::string text;
  std::vector<std::string_view> lines;
  std::size_t sourceBytes = 0;
  Corpus() {
    std::ifstream in(CorpusPath("perl-20m.pl"), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    const std::string sjis = ToCp932(s.str());
    sourceBytes = s.str().size();
    text.reserve(sjis.size() + sjis.size() / 16);
    for (char c : sjis) {
      if (c == '\n') text += '\r';
      text += c;
    }
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find("\r\n", start);
      if (end == std::string::npos) end = text.size();
      lines.push_back(std::string_view(text).substr(start, end - start));
      start = end + 2;
    }
  }
};

const Corpus& TheCorpus() {
  static const Corpus corpus;
  return corpus;
}

const HtmlColours kColours{"#0000ff", "#c00000", "#008080", "fuchsia", "red"};

void BM_LexEveryLine(benchmark::State& state) {
  const Corpus& c = TheCorpus();
  if (c.lines.empty()) return state.SkipWithError("no corpus: run make-corpus.sh or set CORVELLA_CORPUS");
  PerlLexer lexer;
  std::vector<TextRun> runs;
  for (auto _ : state) {
    std::size_t comments = 0;
    std::size_t start = 0;
    for (std::string_view line : c.lines) {
      comments += lexer.LexLine(line, start, runs);
      start += line.size() + 2;
    }
    benchmark::DoNotOptimize(comments);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(c.text.size()));
}
BENCHMARK(BM_LexEveryLine)->Unit(benchmark::kMillisecond);

// One screen: 60 lines from the middle of the file, as a repaint scans them.
void BM_LexScreen(benchmark::State& state) {
  const Corpus& c = TheCorpus();
  if (c.lines.size() < 60) return state.SkipWithError("no corpus");
  PerlLexer lexer;
  std::vector<TextRun> runs;
  const std::size_t first = c.lines.size() / 2;
  for (auto _ : state) {
    for (std::size_t i = first; i < first + 60; ++i) lexer.LexLine(c.lines[i], 0, runs);
    benchmark::DoNotOptimize(runs.data());
  }
}
BENCHMARK(BM_LexScreen)->Unit(benchmark::kMicrosecond);

void BM_HtmlExport(benchmark::State& state) {
  const Corpus& c = TheCorpus();
  if (c.text.empty()) return state.SkipWithError("no corpus");
  for (auto _ : state) {
    const std::string page = BuildHtmlPage(c.text, kColours, 4, "perl-20m.pl");
    benchmark::DoNotOptimize(page.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(c.text.size()));
}
BENCHMARK(BM_HtmlExport)->Unit(benchmark::kMillisecond);

// What the user waits for: the page built and written to a file.
double ExportToFileSeconds(const std::string& path) {
  const auto t0 = std::chrono::steady_clock::now();
  const std::string page = BuildHtmlPage(TheCorpus().text, kColours, 4, "perl-20m.pl");
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(page.data(), 1, page.size(), f);
    std::fclose(f);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The same job done by GNU source-highlight, when it is installed, for scale.
void CompareWithSourceHighlight() {
  const Corpus& c = TheCorpus();
  if (c.text.empty()) return;
  const std::string out = "/tmp/corvella-bench-lexer.html";
  double ours = ExportToFileSeconds(out);
  for (int i = 0; i < 2; ++i) ours = std::min(ours, ExportToFileSeconds(out));
  const double oursMBs = static_cast<double>(c.text.size()) / 1e6 / ours;
  std::printf("HTML export to a file: %.1f MB/s\n", oursMBs);
  if (std::system("command -v source-highlight >/dev/null 2>&1") != 0) {
    std::printf("source-highlight not installed: no comparison\n");
  } else {
    const std::string command = "source-highlight --src-lang=perl --out-format=html -i '" +
                                CorpusPath("perl-20m.pl") + "' -o '" + out + ".sh.html'";
    const auto t0 = std::chrono::steady_clock::now();
    const int rc = std::system(command.c_str());
    const double theirs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double theirsMBs = static_cast<double>(c.sourceBytes) / 1e6 / theirs;
    if (rc == 0)
      std::printf("source-highlight: %.2f MB/s; HTML export is %.0f times as fast\n", theirsMBs, oursMBs / theirsMBs);
    std::remove((out + ".sh.html").c_str());
  }
  std::remove(out.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  CompareWithSourceHighlight();
  benchmark::Shutdown();
  return 0;
}
