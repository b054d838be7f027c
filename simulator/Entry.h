// The frame around every exported call: the guard, the scenario's latency, the body, and the
// journal/trace line with the arguments and the result.
#pragma once

#include <chrono>
#include <thread>
#include <utility>

#include "CallGuard.h"
#include "CallLine.h"
#include "CallRecorder.h"
#include "Clock.h"
#include "Library.h"

namespace sim {

// Runs `body` (no arguments, returns the entry point's result) as the call `entryPoint` with
// `args`, which only feed the line.
template <typename Body, typename... Args>
auto Enter(EntryPoint entryPoint, Body&& body, const Args&... args) {
    const CallGuard guard(entryPoint);
    if (const uint32_t latencyMs = TheLibrary().LatencyMs(entryPoint); latencyMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(latencyMs));
    }
    const auto result = std::forward<Body>(body)();
    Recorder().Record(CallLine(NowMs(), entryPoint, result, args...));
    return result;
}

// The argument-less entry points that do something. An argument-less entry point without a
// member here is one the tool never calls: it writes nothing and returns 0.
struct ArgumentlessOperations {
    static const servicelib::SupportedMobile* WGetSupportedMobiles() {
        return TheLibrary().SupportedMobiles();
    }
    static int32_t WComGetLastError() { return TheLibrary().LastError(); }
};

}  // namespace sim
