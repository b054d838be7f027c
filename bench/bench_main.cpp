// The in-process benchmarks: the synchronised call, the supervisor's tick, the shut-down of a
// busy worker and the settings lookup. Widgets run on the toolkit's offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "BenchOptions.h"
#include "platform/Application.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    // The simulator's call journal writes a line per call, which would dominate what is measured.
    unsetenv("CORVANE_SIM_JOURNAL");
    const bench::BenchOptions options = bench::TakeBenchOptions(argc, argv);
    platform::Application.Initialize();

    bench::RegisterSyncCallBenchmarks(options);
    bench::RegisterTickBenchmarks(options);
    bench::RegisterExitBenchmarks(options);
    bench::RegisterSettingsBenchmarks(options);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
