// The cost of one supervisor tick on a connected phone, and of its two library calls alone.
//
// The tick's own cost (deciding, formatting six values, setting six texts) is the difference
// between BM_TickConnected* and BM_TickLibraryCallsOnly, all measured against the same simulated
// phone in the same session.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <stdexcept>

#include "BenchOptions.h"
#include "PhoneSession.h"
#include "platform/Application.h"
#include "process/ProcessState.h"
#include "servicelib/ServiceLibrary.h"

namespace bench {
namespace {

// The default phone, connected quickly: no time spent per service-mode attempt.
constexpr const char* kConnectedPhone = "service_mode_ms_per_unit=0\n";

std::unique_ptr<PhoneSession> ConnectedSession(benchmark::State& state) {
    try {
        auto session = std::make_unique<PhoneSession>(kConnectedPhone);
        if (!session->Connect()) {
            state.SkipWithError("the simulated phone did not connect");
            return nullptr;
        }
        return session;
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return nullptr;
    }
}

std::array<platform::TStaticText*, 6> SensorTexts(ui::TFormMain& form) {
    return {form.VBattMiddleStText, form.VBattMaxStText, form.VBattMinStText,
            form.BattTempStText,    form.EnvTempStText,  form.VCXOTempStText};
}

// Sensor values drift over minutes, so between two ticks the texts mostly stay the same: the
// steady state.
void BM_TickConnectedTextsUnchanged(benchmark::State& state) {
    auto session = ConnectedSession(state);
    if (!session) {
        return;
    }
    ui::TFormMain& form = session->Form();
    for (auto _ : state) {
        form.AllTimerTimer(form.AllTimer);
    }
}

// Every tick puts six new texts on the window (the texts are reset outside the timed part).
void BM_TickConnectedTextsChanged(benchmark::State& state) {
    auto session = ConnectedSession(state);
    if (!session) {
        return;
    }
    ui::TFormMain& form = session->Form();
    const auto texts = SensorTexts(form);
    for (auto _ : state) {
        state.PauseTiming();
        for (platform::TStaticText* text : texts) {
            text->SetCaption("--");
        }
        state.ResumeTiming();
        form.AllTimerTimer(form.AllTimer);
    }
}

// As above, plus the event processing the new texts cause (layout and repaint of the window on
// the offscreen platform) before the next tick.
void BM_TickConnectedTextsChangedWithRepaint(benchmark::State& state) {
    auto session = ConnectedSession(state);
    if (!session) {
        return;
    }
    ui::TFormMain& form = session->Form();
    form.Show();
    platform::Application.ProcessMessages();
    const auto texts = SensorTexts(form);
    for (auto _ : state) {
        state.PauseTiming();
        for (platform::TStaticText* text : texts) {
            text->SetCaption("--");
        }
        platform::Application.ProcessMessages();
        state.ResumeTiming();
        form.AllTimerTimer(form.AllTimer);
        platform::Application.ProcessMessages();
    }
}

// The tick's two library calls made directly, as the tick makes them.
void BM_TickLibraryCallsOnly(benchmark::State& state) {
    auto session = ConnectedSession(state);
    if (!session) {
        return;
    }
    const auto& lib = servicelib::Lib();
    servicelib::SensorData data{};
    for (auto _ : state) {
        if (lib.WPingMobile(process::ComHandle) != 0) {
            lib.WGetSensorData(process::ComHandle, &data);
        }
        benchmark::DoNotOptimize(data);
    }
}

}  // namespace

void RegisterTickBenchmarks(const BenchOptions& /*options*/) {
    for (auto* bench : {
             benchmark::RegisterBenchmark("BM_TickConnectedTextsUnchanged",
                                          BM_TickConnectedTextsUnchanged),
             benchmark::RegisterBenchmark("BM_TickConnectedTextsChanged",
                                          BM_TickConnectedTextsChanged),
             benchmark::RegisterBenchmark("BM_TickConnectedTextsChangedWithRepaint",
                                          BM_TickConnectedTextsChangedWithRepaint),
             benchmark::RegisterBenchmark("BM_TickLibraryCallsOnly", BM_TickLibraryCallsOnly),
         }) {
        bench->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace bench
