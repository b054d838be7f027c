// How much later than necessary Exit returns when the connection worker is busy.
//
// Exit must wait for the library call in progress, which it cannot cut short; everything beyond
// that is delay of our own. Two cases:
// - inside a service-mode attempt of known length: extra_ms is Exit's duration minus the time the
//   attempt still had to run when Exit was called;
// - inside the pause after an unanswered ping: the pause ends at the termination request, so
//   Exit's whole duration is extra.
// Each iteration starts a fresh worker; the reported time is Exit's duration, the counters give
// the median and the largest extra delay in milliseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "BenchOptions.h"
#include "PhoneSession.h"
#include "ui/CorvaneInitThread.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

// One service-mode attempt takes InitServiceModeDelay x service_mode_ms_per_unit: 10 x 10 ms, the
// shipped default delay with the simulator's default unit.
constexpr int32_t kInitServiceModeDelay = 10;
constexpr const char* kNoPhone = "present=0\nservice_mode_ms_per_unit=10\n";
constexpr const char* kSilentPhone =
    "service_mode_failures=0\nservice_mode_ms_per_unit=0\npings_before_answer=never\n";

void ReportExtra(benchmark::State& state, std::vector<double> extraMs) {
    if (extraMs.empty()) {
        return;
    }
    std::sort(extraMs.begin(), extraMs.end());
    state.counters["extra_ms_median"] = extraMs[extraMs.size() / 2];
    state.counters["extra_ms_max"] = extraMs.back();
}

// Serves the worker until the connect bar moves off `from`; the time at which it was seen moving.
Clock::time_point AwaitBarStep(ui::TFormMain& form, int from) {
    if (!ServeUntil([&] { return form.ConnectProgressBar->Position() != from; },
                    std::chrono::seconds(10))) {
        throw std::runtime_error("the connect bar did not move");
    }
    return Clock::now();
}

void BM_ExitDuringServiceModeAttempt(benchmark::State& state) {
    try {
        PhoneSession session(kNoPhone, kInitServiceModeDelay);
        ui::TFormMain& form = session.Form();
        std::vector<double> extraMs;
        for (auto _ : state) {
            session.Tick();
            // Two steps apart is one whole attempt; right after the second step the worker is
            // back in the library for the next one.
            const auto firstStep = AwaitBarStep(form, form.ConnectProgressBar->Position());
            const auto secondStep = AwaitBarStep(form, form.ConnectProgressBar->Position());
            const auto attempt = secondStep - firstStep;
            std::this_thread::sleep_until(secondStep + attempt / 4);

            const auto exitStart = Clock::now();
            form.Exit(&form);
            const auto exitEnd = Clock::now();
            const auto remaining = (secondStep + attempt) - exitStart;
            extraMs.push_back(Ms(exitEnd - exitStart - remaining).count());
            state.SetIterationTime(std::chrono::duration<double>(exitEnd - exitStart).count());
            state.counters["attempt_ms"] = Ms(attempt).count();
        }
        ReportExtra(state, extraMs);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

void BM_ExitDuringPingPause(benchmark::State& state) {
    try {
        PhoneSession session(kSilentPhone);
        ui::TFormMain& form = session.Form();
        std::vector<double> extraMs;
        for (auto _ : state) {
            form.ConnectLabel->Hide();
            session.Tick();
            // The worker shows the connect caption, then enters service mode at once and pings
            // without an answer: a fifth of a pause later it is well inside the first pause.
            if (!ServeUntil([&] { return form.ConnectLabel->Visible(); },
                            std::chrono::seconds(10))) {
                throw std::runtime_error("the worker did not start");
            }
            std::this_thread::sleep_for(
                std::chrono::milliseconds(ui::TCorvaneInitThread::kPingPauseMs / 5));

            const auto exitStart = Clock::now();
            form.Exit(&form);
            const auto exitEnd = Clock::now();
            extraMs.push_back(Ms(exitEnd - exitStart).count());
            state.SetIterationTime(std::chrono::duration<double>(exitEnd - exitStart).count());
        }
        ReportExtra(state, extraMs);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

}  // namespace

void RegisterExitBenchmarks(const BenchOptions& options) {
    const int iterations = options.quick ? 2 : 15;
    for (auto* bench : {
             benchmark::RegisterBenchmark("BM_ExitDuringServiceModeAttempt",
                                          BM_ExitDuringServiceModeAttempt),
             benchmark::RegisterBenchmark("BM_ExitDuringPingPause", BM_ExitDuringPingPause),
         }) {
        bench->Iterations(iterations)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
}

}  // namespace bench
