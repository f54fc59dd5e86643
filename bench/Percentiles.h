// Timings taken one by one, reported as their median, 99th percentile and maximum.
#pragma once

#include <algorithm>
#include <vector>

#include <benchmark/benchmark.h>

namespace corvella {

inline void ReportPercentiles(benchmark::State& state, std::vector<double>& micros) {
  if (micros.empty()) return;
  std::sort(micros.begin(), micros.end());
  state.counters["median_us"] = micros[micros.size() / 2];
  state.counters["p99_us"] = micros[micros.size() * 99 / 100];
  state.counters["max_us"] = micros.back();
}

}  // namespace corvella
