// Options of the benchmark program that Google Benchmark does not know, and the registration of
// every benchmark group with them.
#pragma once

namespace bench {

struct BenchOptions {
    // Few, short iterations where a benchmark fixes its own count: a smoke run, not a measurement.
    bool quick = false;
};

// Takes the program's own options (--quick) out of argv, leaving the rest to Google Benchmark.
BenchOptions TakeBenchOptions(int& argc, char** argv);

// Each group registers its benchmarks; called once, before the benchmarks run.
void RegisterSyncCallBenchmarks(const BenchOptions& options);
void RegisterTickBenchmarks(const BenchOptions& options);
void RegisterExitBenchmarks(const BenchOptions& options);
void RegisterSettingsBenchmarks(const BenchOptions& options);

}  // namespace bench
