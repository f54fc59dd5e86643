// Edit buffer speed on 100 MB of Perl: loading, one-byte edits, line and character lookups (µs per operation).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "Corpus.h"
#include "Percentiles.h"
#include "document/EditBuffer.h"
#include "text/Newlines.h"

namespace {

using corvella::EditBuffer;

// The corpus Perl file with CR LF line ends, five times over (about 100 MB).
const std::string& Text() {
  static const std::string text = [] {
    const std::string raw = corvella::bench::ReadCorpusFile("perl-20m.pl");
    const std::string one = corvella::NormalizeNewlines(raw);
    std::string all;
    all.reserve(one.size() * 5);
    for (int i = 0; i < 5; ++i) all += one;
    return all;
  }();
  return text;
}

std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// One loaded buffer shared by the edit and lookup benchmarks.
EditBuffer& Loaded() {
  static EditBuffer buffer;
  static const bool loaded = [] {
    buffer.SetLimitText(0);
    buffer.SetText(Text());
    return true;
  }();
  (void)loaded;
  return buffer;
}

// Fractions of the text length, so positions stay valid while the text changes.
const std::vector<double>& RandomFractions() {
  static const std::vector<double> fractions = [] {
    std::mt19937_64 rng(20);
    std::uniform_real_distribution<double> dist(0.0, 1.0);
    std::vector<double> v(1 << 16);
    for (double& f : v) f = dist(rng);
    return v;
  }();
  return fractions;
}

std::size_t Place(const EditBuffer& buf, int where, std::size_t i) {
  const std::size_t length = buf.GetTextLength();
  switch (where) {
    case 0: return 0;
    case 1: return length / 2;
    case 2: return length;
    default: {
      const auto& f = RandomFractions();
      return static_cast<std::size_t>(f[i % f.size()] * static_cast<double>(length));
    }
  }
}

const char* const kPlaceNames[] = {"start", "middle", "end", "random"};

void BM_Load(benchmark::State& state) {
  const std::string& text = Text();
  std::size_t heap = 0;
  for (auto _ : state) {
    const std::size_t before = HeapInUse();
    EditBuffer buf;
    buf.SetText(text);
    heap = HeapInUse() - before;
    benchmark::DoNotOptimize(buf.GetLineCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["heap_per_text_byte"] = static_cast<double>(heap) / static_cast<double>(text.size());
}

void BM_InsertByte(benchmark::State& state) {
  EditBuffer& buf = Loaded();
  const int where = static_cast<int>(state.range(0));
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t pos = Place(buf, where, i++);
    buf.SetSel(pos, pos);
    buf.ReplaceSel("x");
  }
  state.SetLabel(kPlaceNames[where]);
}

void BM_DeleteByte(benchmark::State& state) {
  EditBuffer& buf = Loaded();
  const int where = static_cast<int>(state.range(0));
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t pos = std::min(Place(buf, where, i++), buf.GetTextLength() - 1);
    buf.SetSel(pos, pos + 1);
    buf.ReplaceSel("");
  }
  state.SetLabel(kPlaceNames[where]);
}

// Random one-byte inserts and deletes, alternating, timed one by one for the median.
void BM_RandomEditMedian(benchmark::State& state) {
  EditBuffer& buf = Loaded();
  std::vector<double> micros;
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t pos = std::min(Place(buf, 3, i), buf.GetTextLength() - 1);
    const auto t0 = std::chrono::steady_clock::now();
    buf.SetSel(pos, i % 2 ? pos + 1 : pos);
    buf.ReplaceSel(i % 2 ? "" : "x");
    const auto t1 = std::chrono::steady_clock::now();
    const double us = std::chrono::duration<double, std::micro>(t1 - t0).count();
    micros.push_back(us);
    state.SetIterationTime(us / 1e6);
    ++i;
  }
  corvella::ReportPercentiles(state, micros);
}

void BM_LineFromChar(benchmark::State& state) {
  EditBuffer& buf = Loaded();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(buf.LineFromChar(Place(buf, 3, i++)));
}

void BM_LineIndex(benchmark::State& state) {
  EditBuffer& buf = Loaded();
  const auto& f = RandomFractions();
  const double lines = static_cast<double>(buf.GetLineCount());
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(buf.LineIndex(static_cast<std::size_t>(f[i++ % f.size()] * lines)));
  }
}

void BM_GetLine(benchmark::State& state) {
  EditBuffer& buf = Loaded();
  const auto& f = RandomFractions();
  const double lines = static_cast<double>(buf.GetLineCount());
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(buf.GetLine(static_cast<std::size_t>(f[i++ % f.size()] * lines)));
  }
}

void BM_CharSteps(benchmark::State& state) {
  EditBuffer& buf = Loaded();
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t pos = Place(buf, 3, i++);
    benchmark::DoNotOptimize(buf.NextCharPos(pos));
    benchmark::DoNotOptimize(buf.PrevCharPos(pos));
  }
  state.SetLabel("next + previous");
}

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_InsertByte)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteByte)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RandomEditMedian)->UseManualTime()->Iterations(200000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineFromChar)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineIndex)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CharSteps)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
