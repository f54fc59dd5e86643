// The entry point of a benchmark program that needs widgets: an offscreen QApplication around Google Benchmark.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

#define CORVELLA_QT_BENCHMARK_MAIN()           \
  int main(int argc, char** argv) {            \
    qputenv("QT_QPA_PLATFORM", "offscreen");   \
    QApplication app(argc, argv);              \
    benchmark::Initialize(&argc, argv);        \
    benchmark::RunSpecifiedBenchmarks();       \
    benchmark::Shutdown();                     \
    return 0;                                  \
  }
