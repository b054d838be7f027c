// The round trip of the synchronised call: a worker hands an empty method to the user-interface
// thread and blocks until it has run there.
//
// Served two ways: from WaitFor (the user-interface thread blocks on the queue itself, as at
// shut-down) and from the toolkit's event loop (woken through the queue's wake-up, as while the
// window runs). Each reports ns_per_call, the wall time of the worker's calls divided by their
// number; the cost of starting and joining one worker is spread over many calls.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "BenchOptions.h"
#include "platform/Application.h"
#include "platform/Thread.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

// Makes `calls` synchronised calls of an empty method, then, when asked, one that ends the
// toolkit's event loop.
class SyncCaller final : public platform::TThread {
  public:
    SyncCaller(int calls, bool endEventLoop)
        : TThread(true), calls_(calls), endEventLoop_(endEventLoop) {}

  protected:
    void Execute() override {
        for (int i = 0; i < calls_; ++i) {
            Synchronize([] {});
        }
        if (endEventLoop_) {
            Synchronize([] { platform::Application.Terminate(); });
        }
    }

  private:
    const int calls_;
    const bool endEventLoop_;
};

void SetNsPerCall(benchmark::State& state, Clock::duration elapsed, double calls) {
    const double ns = std::chrono::duration<double, std::nano>(elapsed).count();
    state.counters["ns_per_call"] = ns / calls;
    state.SetItemsProcessed(static_cast<int64_t>(calls));
}

void BM_SynchronizeServedInWaitFor(benchmark::State& state) {
    const int callsPerWorker = static_cast<int>(state.range(0));
    Clock::duration elapsed{};
    for (auto _ : state) {
        const auto start = Clock::now();
        platform::ThreadPtr<SyncCaller> worker(new SyncCaller(callsPerWorker, false));
        worker->Start();
        worker->WaitFor();
        worker.reset();
        elapsed += Clock::now() - start;
    }
    SetNsPerCall(state, elapsed, static_cast<double>(state.iterations()) * callsPerWorker);
}

// The event loop can be left only once per process (the application then counts as ended), so
// this runs one worker with many calls, once.
void BM_SynchronizeServedInEventLoop(benchmark::State& state) {
    const int calls = static_cast<int>(state.range(0));
    for (auto _ : state) {
        if (platform::Application.Terminated()) {
            state.SkipWithError("the event loop has already ended in this process");
            break;
        }
        const auto start = Clock::now();
        platform::ThreadPtr<SyncCaller> worker(new SyncCaller(calls, true));
        worker->Start();
        platform::Application.Run();
        const auto elapsed = Clock::now() - start;
        worker.reset();
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        SetNsPerCall(state, elapsed, calls + 1.0);
    }
}

}  // namespace

void RegisterSyncCallBenchmarks(const BenchOptions& options) {
    const int calls = options.quick ? 1000 : 20000;
    benchmark::RegisterBenchmark("BM_SynchronizeServedInWaitFor", BM_SynchronizeServedInWaitFor)
        ->Arg(calls / 10)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_SynchronizeServedInEventLoop", BM_SynchronizeServedInEventLoop)
        ->Arg(calls)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
