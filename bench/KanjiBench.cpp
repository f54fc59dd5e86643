// Throughput of the encoding detector, converters and load pipeline against glibc iconv on the corpus.
//
// Each of our operations runs beside the iconv conversion that does the same
// job on the same file, in the same process run; a summary at the end prints
// both figures and their ratio:
//   SjisToEuc          ja-sjis.txt   iconv CP932 -> EUC-JP
//   EucToSjis          ja-euc.txt    iconv EUC-JP -> CP932
//   SjisToJis          ja-sjis.txt   iconv CP932 -> ISO-2022-JP-2
//   JisToSjis          ja-jis.txt    iconv ISO-2022-JP-2 -> CP932 (plain
//                                    ISO-2022-JP does not know ESC ( I)
//   KanjiDetect        ja-sjis.txt   iconv CP932 -> UTF-8 (the text is valid
//                                    Shift_JIS, so all five tests run, the
//                                    last one over the whole file)
//   NormalizeNewlines  ja-sjis.txt   iconv CP932 -> UTF-8 (the file has CR LF
//                                    line ends; _Lf measures it with LF ones)
//   Utf8ToSjis         ja-utf8.txt   iconv UTF-8 -> CP932
//   SjisToUtf8         ja-sjis.txt   iconv CP932 -> UTF-8
// iconv writes into a buffer allocated once; so do the converters that write
// into a caller's buffer. NormalizeNewlines and DecodeLoadedText are measured
// as the loader calls them, allocation included. The corpus comes from
// ../shared/perf/make-corpus.sh, in $CORVELLA_CORPUS or /tmp/corvella-corpus.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "text/KanjiConvert.h"
#include "text/KanjiDetect.h"
#include "text/LoadedText.h"
#include "text/Newlines.h"
#include "text/SjisUtf8.h"

namespace {

using namespace corvella;

const std::string& Corpus(const std::string& name) {
  static std::map<std::string, std::string> files;
  auto it = files.find(name);
  if (it == files.end()) {
    const char* dir = std::getenv("CORVELLA_CORPUS");
    std::ifstream in(std::string(dir && *dir ? dir : "/tmp/corvella-corpus") + "/" + name, std::ios::binary);
    it = files.emplace(name, std::string(std::istreambuf_iterator<char>(in), {})).first;
  }
  return it->second;
}

// The named corpus file, or nullptr after marking the run as skipped.
const std::string* Input(benchmark::State& state, const char* name) {
  const std::string& s = Corpus(name);
  if (s.empty()) {
    state.SkipWithError((std::string("corpus file missing: ") + name + " (run make-corpus.sh)").c_str());
    return nullptr;
  }
  return &s;
}

void Done(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

void Iconv(benchmark::State& state, const char* file, const char* from, const char* to) {
  const std::string* in = Input(state, file);
  if (!in) return;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    state.SkipWithError("iconv_open failed");
    return;
  }
  std::vector<char> out(in->size() * 4 + 16);
  std::string src = *in;
  for (auto _ : state) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* ip = src.data();
    char* op = out.data();
    std::size_t il = src.size(), ol = out.size();
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1)) {
      state.SkipWithError("iconv refused the corpus");
      break;
    }
    iconv(cd, nullptr, nullptr, &op, &ol);
    benchmark::DoNotOptimize(out.data());
  }
  iconv_close(cd);
  Done(state, in->size());
}

// --- the in-place converters: each round starts from a fresh copy, untimed.
template <std::size_t (*Convert)(char*, std::size_t)>
void InPlace(benchmark::State& state, const char* file) {
  const std::string* in = Input(state, file);
  if (!in) return;
  std::string buf = *in;
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(buf.data(), in->data(), in->size());
    state.ResumeTiming();
    benchmark::DoNotOptimize(Convert(buf.data(), buf.size()));
  }
  Done(state, in->size());
}

// --- the growing converters write into a buffer of their worst-case size.
template <std::size_t (*Convert)(std::string_view, char*), std::size_t (*Bound)(std::size_t)>
void Growing(benchmark::State& state, const char* file) {
  const std::string* in = Input(state, file);
  if (!in) return;
  std::vector<char> out(Bound(in->size()));
  for (auto _ : state) benchmark::DoNotOptimize(Convert(*in, out.data()));
  Done(state, in->size());
}

template <std::size_t (*Convert)(std::string_view, char*, std::size_t*), std::size_t (*Bound)(std::size_t)>
void Counting(benchmark::State& state, const char* file) {
  const std::string* in = Input(state, file);
  if (!in) return;
  std::vector<char> out(Bound(in->size()));
  std::size_t changed = 0;
  Convert(std::string_view(*in).substr(0, 64), out.data(), &changed);  // builds the tables outside the timing
  for (auto _ : state) benchmark::DoNotOptimize(Convert(*in, out.data(), &changed));
  Done(state, in->size());
}

std::size_t EucToSjisBuffer(char* t, std::size_t n) { return EucToSjis(t, n); }
std::size_t JisToSjisBuffer(char* t, std::size_t n) { return JisToSjis(t, n); }
std::size_t SjisToEucBuffer(std::string_view in, char* out) { return SjisToEuc(in, out); }
std::size_t SjisToJisBuffer(std::string_view in, char* out) { return SjisToJis(in, out); }
std::size_t Utf8ToSjisBuffer(std::string_view in, char* out, std::size_t* c) { return Utf8ToSjis(in, out, c); }
std::size_t SjisToUtf8Buffer(std::string_view in, char* out, std::size_t* c) { return SjisToUtf8(in, out, c); }

void BM_SjisToEuc(benchmark::State& s) { Growing<SjisToEucBuffer, SjisToEucBound>(s, "ja-sjis.txt"); }
void BM_SjisToEuc_iconv(benchmark::State& s) { Iconv(s, "ja-sjis.txt", "CP932", "EUC-JP"); }
void BM_EucToSjis(benchmark::State& s) { InPlace<EucToSjisBuffer>(s, "ja-euc.txt"); }
void BM_EucToSjis_iconv(benchmark::State& s) { Iconv(s, "ja-euc.txt", "EUC-JP", "CP932"); }
void BM_SjisToJis(benchmark::State& s) { Growing<SjisToJisBuffer, SjisToJisBound>(s, "ja-sjis.txt"); }
void BM_SjisToJis_iconv(benchmark::State& s) { Iconv(s, "ja-sjis.txt", "CP932", "ISO-2022-JP-2"); }
void BM_JisToSjis(benchmark::State& s) { InPlace<JisToSjisBuffer>(s, "ja-jis.txt"); }
void BM_JisToSjis_iconv(benchmark::State& s) { Iconv(s, "ja-jis.txt", "ISO-2022-JP-2", "CP932"); }
void BM_Utf8ToSjis(benchmark::State& s) { Counting<Utf8ToSjisBuffer, Utf8ToSjisBound>(s, "ja-utf8.txt"); }
void BM_Utf8ToSjis_iconv(benchmark::State& s) { Iconv(s, "ja-utf8.txt", "UTF-8", "CP932"); }
void BM_SjisToUtf8(benchmark::State& s) { Counting<SjisToUtf8Buffer, SjisToUtf8Bound>(s, "ja-sjis.txt"); }
void BM_SjisToUtf8_iconv(benchmark::State& s) { Iconv(s, "ja-sjis.txt", "CP932", "UTF-8"); }

void Detect(benchmark::State& state, const char* file, int expected) {
  const std::string* in = Input(state, file);
  if (!in) return;
  if (KanjiDetect(*in) != expected) {
    state.SkipWithError("unexpected detection result");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(KanjiDetect(*in));
  Done(state, in->size());
}
void BM_KanjiDetect(benchmark::State& s) { Detect(s, "ja-sjis.txt", kDetectSjis); }
void BM_KanjiDetect_iconv(benchmark::State& s) { Iconv(s, "ja-sjis.txt", "CP932", "UTF-8"); }
void BM_KanjiDetect_Euc(benchmark::State& s) { Detect(s, "ja-euc.txt", kDetectEuc); }
void BM_KanjiDetect_Utf8(benchmark::State& s) { Detect(s, "ja-utf8.txt", kDetectUtf8); }

void BM_NormalizeNewlines(benchmark::State& state) {
  const std::string* in = Input(state, "ja-sjis.txt");
  if (!in) return;
  int flags = 0;
  for (auto _ : state) benchmark::DoNotOptimize(NormalizeNewlines(*in, &flags));
  Done(state, in->size());
}
void BM_NormalizeNewlines_iconv(benchmark::State& s) { Iconv(s, "ja-sjis.txt", "CP932", "UTF-8"); }

// The same text with LF line ends: every line end gains a CR.
void BM_NormalizeNewlines_Lf(benchmark::State& state) {
  const std::string* crlf = Input(state, "ja-sjis.txt");
  if (!crlf) return;
  static const std::string lf = [crlf] {
    std::string s = *crlf;
    ReplaceCrLf(s, kNewlineLf);
    return s;
  }();
  int flags = 0;
  for (auto _ : state) benchmark::DoNotOptimize(NormalizeNewlines(lf, &flags));
  Done(state, lf.size());
}

void Load(benchmark::State& state, const char* file) {
  const std::string* in = Input(state, file);
  if (!in) return;
  for (auto _ : state) {
    int encoding = kEncodingSjis, newline = kNewlineCrLf;
    benchmark::DoNotOptimize(DecodeLoadedText(*in, true, encoding, newline));
  }
  Done(state, in->size());
}
void BM_DecodeLoadedText_Sjis(benchmark::State& s) { Load(s, "ja-sjis.txt"); }
void BM_DecodeLoadedText_Euc(benchmark::State& s) { Load(s, "ja-euc.txt"); }
void BM_DecodeLoadedText_Jis(benchmark::State& s) { Load(s, "ja-jis.txt"); }
void BM_DecodeLoadedText_Utf8(benchmark::State& s) { Load(s, "ja-utf8.txt"); }

void Save(benchmark::State& state, int encoding) {
  const std::string* in = Input(state, "ja-sjis.txt");
  if (!in) return;
  for (auto _ : state) benchmark::DoNotOptimize(EncodeTextForSave(*in, encoding, kNewlineLf));
  Done(state, in->size());
}
void BM_EncodeTextForSave_Euc(benchmark::State& s) { Save(s, kEncodingEuc); }
void BM_EncodeTextForSave_Utf8(benchmark::State& s) { Save(s, kEncodingUtf8); }

#define KANJI_BENCH(f) BENCHMARK(f)->Unit(benchmark::kMillisecond)->MinTime(0.5)
KANJI_BENCH(BM_SjisToEuc);
KANJI_BENCH(BM_SjisToEuc_iconv);
KANJI_BENCH(BM_EucToSjis);
KANJI_BENCH(BM_EucToSjis_iconv);
KANJI_BENCH(BM_SjisToJis);
KANJI_BENCH(BM_SjisToJis_iconv);
KANJI_BENCH(BM_JisToSjis);
KANJI_BENCH(BM_JisToSjis_iconv);
KANJI_BENCH(BM_KanjiDetect);
KANJI_BENCH(BM_KanjiDetect_iconv);
KANJI_BENCH(BM_KanjiDetect_Euc);
KANJI_BENCH(BM_KanjiDetect_Utf8);
KANJI_BENCH(BM_NormalizeNewlines);
KANJI_BENCH(BM_NormalizeNewlines_iconv);
KANJI_BENCH(BM_NormalizeNewlines_Lf);
KANJI_BENCH(BM_Utf8ToSjis);
KANJI_BENCH(BM_Utf8ToSjis_iconv);
KANJI_BENCH(BM_SjisToUtf8);
KANJI_BENCH(BM_SjisToUtf8_iconv);
KANJI_BENCH(BM_DecodeLoadedText_Sjis);
KANJI_BENCH(BM_DecodeLoadedText_Euc);
KANJI_BENCH(BM_DecodeLoadedText_Jis);
KANJI_BENCH(BM_DecodeLoadedText_Utf8);
KANJI_BENCH(BM_EncodeTextForSave_Euc);
KANJI_BENCH(BM_EncodeTextForSave_Utf8);

// Keeps each run's throughput so that the summary can pair ours with iconv's.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      auto it = r.counters.find("bytes_per_second");
      const std::string name = r.benchmark_name();
      if (it != r.counters.end()) rates[name.substr(0, name.find('/'))] = it->second.value / 1e6;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> rates;  // MB/s by run name
};

void PrintSummary(const std::map<std::string, double>& rates) {
  const char* const pairs[] = {"SjisToEuc", "EucToSjis", "SjisToJis", "JisToSjis", "KanjiDetect",
                               "NormalizeNewlines", "Utf8ToSjis", "SjisToUtf8"};
  std::printf("\n%-20s %12s %12s %8s   (MB = 10^6 bytes)\n", "operation", "ours MB/s", "iconv MB/s", "ratio");
  for (const char* name : pairs) {
    auto ours = rates.find(std::string("BM_") + name);
    auto theirs = rates.find(std::string("BM_") + name + "_iconv");
    if (ours == rates.end() || theirs == rates.end() || theirs->second <= 0) continue;
    std::printf("%-20s %12.0f %12.0f %7.2fx\n", name, ours->second, theirs->second, ours->second / theirs->second);
  }
  for (const auto& [name, rate] : rates)
    if (name.rfind("BM_DecodeLoadedText", 0) == 0 || name.rfind("BM_EncodeTextForSave", 0) == 0 ||
        (name.rfind("BM_KanjiDetect_", 0) == 0 && name.find("_iconv") == std::string::npos) ||
        name == "BM_NormalizeNewlines_Lf")
      std::printf("%-40s %10.0f MB/s\n", name.substr(3).c_str(), rate);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter.rates);
  benchmark::Shutdown();
  return 0;
}
