// The sub list's index on 100 MB of Perl and on a 5,000-line script: building it, a keystroke, and typing that opens
// a heredoc below which every line changes (ms or µs per operation).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Corpus.h"
#include "Percentiles.h"
#include "document/TextDocument.h"
#include "text/Newlines.h"

namespace {

using corvella::TextDocument;

// Range 0: the corpus Perl file with CR LF line ends, five times over (about
// 100 MB), each copy without its data after "__END__" so that all of it is
// code; range 1: its first 5,000 lines.
std::string MakeText(int which) {
  std::string one = corvella::NormalizeNewlines(corvella::bench::ReadCorpusFile("perl-20m.pl"));
  one.resize(std::min(one.size(), one.rfind("\r\n__END__\r\n") + 2));
  if (which == 1) {
    std::size_t end = 0;
    for (int line = 0; line < 5000 && end != std::string::npos; ++line) end = one.find("\r\n", end + 2);
    return one.substr(0, end);
  }
  std::string all;
  all.reserve(one.size() * 5);
  for (int i = 0; i < 5; ++i) all += one;
  return all;
}

const char* const kTextNames[] = {"100MB", "5000 lines"};

// One indexed document per text, shared by the benchmarks.
TextDocument& Indexed(int which) {
  static std::unique_ptr<TextDocument> docs[2];
  if (!docs[which]) {
    docs[which] = std::make_unique<TextDocument>();
    docs[which]->Buffer().SetLimitText(0);
    docs[which]->Load(MakeText(which));
    docs[which]->Subs().Entries();
  }
  return *docs[which];
}

void BM_Build(benchmark::State& state) {
  const std::string text = MakeText(static_cast<int>(state.range(0)));
  std::size_t entries = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = std::make_unique<TextDocument>();
    doc->Buffer().SetLimitText(0);
    doc->Load(text);
    state.ResumeTiming();
    entries = doc->Subs().Entries().size();
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.SetLabel(kTextNames[state.range(0)]);
}
BENCHMARK(BM_Build)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// A byte typed at a random place and taken away again at the next step, each
// timed alone: the buffer, the line states and the index brought up to date.
void BM_KeystrokeMedian(benchmark::State& state) {
  TextDocument& doc = Indexed(static_cast<int>(state.range(0)));
  corvella::EditBuffer& buffer = doc.Buffer();
  std::mt19937_64 rng(5);
  std::vector<double> micros;
  std::size_t pos = 0;
  std::size_t i = 0;
  const std::size_t read = doc.Subs().ReadLines();
  for (auto _ : state) {
    if (i % 2 == 0) pos = std::uniform_int_distribution<std::size_t>(0, buffer.GetTextLength())(rng);
    const auto t0 = std::chrono::steady_clock::now();
    buffer.SetSel(pos, i % 2 ? pos + 1 : pos);
    buffer.ReplaceSel(i % 2 ? "" : "x");
    const auto t1 = std::chrono::steady_clock::now();
    const double us = std::chrono::duration<double, std::micro>(t1 - t0).count();
    micros.push_back(us);
    state.SetIterationTime(us / 1e6);
    ++i;
  }
  corvella::ReportPercentiles(state, micros);
  state.counters["lines_read"] =
      static_cast<double>(doc.Subs().ReadLines() - read) / static_cast<double>(state.iterations());
  state.SetLabel(kTextNames[state.range(0)]);
}
BENCHMARK(BM_KeystrokeMedian)->Arg(0)->Arg(1)->UseManualTime()->Iterations(20000);

// "<<E;" typed at the end of a line in the middle, then taken away: every
// line below changes its state twice.
void BM_OpenHereDoc(benchmark::State& state) {
  TextDocument& doc = Indexed(static_cast<int>(state.range(0)));
  corvella::EditBuffer& buffer = doc.Buffer();
  const std::size_t at = buffer.LineEnd(buffer.GetLineCount() / 2);
  std::size_t i = 0;
  for (auto _ : state) {
    buffer.SetSel(at, i % 2 ? at + 4 : at);
    buffer.ReplaceSel(i % 2 ? "" : "<<E;");
    ++i;
  }
  state.counters["entries"] = static_cast<double>(doc.Subs().Entries().size());
  state.SetLabel(kTextNames[state.range(0)]);
}
BENCHMARK(BM_OpenHereDoc)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace

BENCHMARK_MAIN();
