// What a recovery copy costs the user-interface thread on the 100 MB document: the forked writer's start (the snapshot), against copying the text, and an edit while a copy is being written.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "Corpus.h"
#include "document/EditBuffer.h"
#include "platform/RecoveryStore.h"
#include "text/Newlines.h"

namespace {

using corvella::EditBuffer;
using corvella::RecoveryStore;

// The corpus Perl file with CR LF line ends, five times over (about 100 MB),
// loaded with or without the huge-page advice the program gives.
EditBuffer& Document(bool hugePages = true) {
  static EditBuffer* buffers[2] = {nullptr, nullptr};
  EditBuffer*& buffer = buffers[hugePages ? 1 : 0];
  if (!buffer) {
    // The text is made anew and dropped after loading: a copy kept in the
    // process would add its own pages to every fork.
    const std::string one = corvella::NormalizeNewlines(corvella::bench::ReadCorpusFile("perl-20m.pl"));
    std::string all;
    all.reserve(one.size() * 5);
    for (int i = 0; i < 5; ++i) all += one;
    buffer = new EditBuffer;
    buffer->SetBulkAdvice(hugePages ? &corvella::AdviseHugePages : nullptr);
    buffer->SetText(all);
  }
  return *buffer;
}

std::string Folder() {
  return (std::filesystem::temp_directory_path() / ("corvella-recovery-bench-" + std::to_string(::getpid()))).string();
}

pid_t StartCopy(RecoveryStore& store, const EditBuffer& buffer) {
  return store.WriteInChild(1, "header\n", [&buffer](int fd) {
    bool ok = true;
    buffer.ForEachPiece([&ok, fd](const char* p, std::size_t n) { ok = ok && corvella::WriteAllTo(fd, p, n); });
    return ok;
  });
}

void WaitFor(pid_t child) {
  while (!RecoveryStore::Ended(child)) ::usleep(1000);
}

// The user-interface thread's share of a copy: starting the writer.
void Snapshot(benchmark::State& state, bool hugePages) {
  const EditBuffer& buffer = Document(hugePages);
  RecoveryStore store(Folder());
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = StartCopy(store, buffer);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    if (child <= 0) state.SkipWithError("no writer");
    WaitFor(child);
  }
  state.counters["MB"] = static_cast<double>(buffer.GetTextLength()) / (1 << 20);
}
void BM_RecoverySnapshot(benchmark::State& state) { Snapshot(state, true); }
BENCHMARK(BM_RecoverySnapshot)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
void BM_RecoverySnapshotWithoutHugePages(benchmark::State& state) { Snapshot(state, false); }
BENCHMARK(BM_RecoverySnapshotWithoutHugePages)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// What a snapshot by copying the text would cost instead.
void BM_SnapshotByCopy(benchmark::State& state) {
  const EditBuffer& buffer = Document();
  for (auto _ : state) benchmark::DoNotOptimize(buffer.GetText());
}
BENCHMARK(BM_SnapshotByCopy)->Unit(benchmark::kMillisecond)->Iterations(5);

// A keystroke at the top while a writer copies the document out.
void BM_KeystrokeDuringCopy(benchmark::State& state) {
  EditBuffer& buffer = Document();
  RecoveryStore store(Folder());
  pid_t child = StartCopy(store, buffer);
  for (auto _ : state) {
    buffer.SetSel(0, 0);
    buffer.ReplaceSel("x");
    buffer.SetSel(0, 1);
    buffer.ReplaceSel("");
    if (RecoveryStore::Ended(child)) child = StartCopy(store, buffer);
  }
  WaitFor(child);
}
BENCHMARK(BM_KeystrokeDuringCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
