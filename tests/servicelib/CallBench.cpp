// What the stack-safe call costs on 32-bit Windows: the same call made directly (compiled for
// __stdcall) and through CallPreservingStack, alternated, medians of 15 rounds.
//   wine tests/servicelib_call_bench.exe [path of Bfb95eg.dll]
// 1. a trivial __stdcall function of two arguments in this program (the call itself);
// 2. the simulator's WComConfigure (two arguments), bound by ServiceLibrary (the trampoline)
//    against its own address called directly.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/DynamicLibrary.h"
#include "servicelib/ServiceLibrary.h"
#include "servicelib/StackSafeCall.h"

namespace {

__attribute__((noinline)) int32_t __stdcall Add(int32_t a, int32_t b) {
    return a + b;
}

using Clock = std::chrono::steady_clock;

template <class Body>
double NanosecondsPerCall(long calls, Body body) {
    const auto start = Clock::now();
    for (long i = 0; i < calls; ++i) {
        body(static_cast<int32_t>(i));
    }
    const std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
    return elapsed.count() / static_cast<double>(calls);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <class Direct, class Safe>
void Compare(const char* what, long calls, Direct direct, Safe safe) {
    std::vector<double> directTimes;
    std::vector<double> safeTimes;
    for (int round = 0; round < 15; ++round) {
        directTimes.push_back(NanosecondsPerCall(calls, direct));
        safeTimes.push_back(NanosecondsPerCall(calls, safe));
    }
    const double d = Median(directTimes);
    const double s = Median(safeTimes);
    std::printf("%-34s direct %9.2f ns   stack-safe %9.2f ns   difference %+8.2f ns (%+.1f %%)\n",
                what, d, s, s - d, 100.0 * (s - d) / d);
}

}  // namespace

int main(int argc, char** argv) {
    const char* libraryPath = argc > 1 ? argv[1] : "Bfb95eg.dll";
    volatile int32_t sink = 0;

    int32_t(__stdcall* volatile add)(int32_t, int32_t) = &Add;
    Compare(
        "trivial function, 2 arguments", 20'000'000, [&](int32_t i) { sink = sink + add(i, 1); },
        [&](int32_t i) {
            const uint32_t words[] = {static_cast<uint32_t>(i), 1};
            sink = sink + static_cast<int32_t>(servicelib::CallPreservingStack(
                              reinterpret_cast<const void*>(add), words, 2));
        });

    servicelib::ServiceLibrary library;
    if (library.Load(libraryPath) != servicelib::BindResult::Bound) {
        std::fprintf(stderr, "cannot bind %s\n", libraryPath);
        return 1;
    }
    const servicelib::LibraryEntryPoints& lib = library.EntryPoints();
    const int32_t handle = lib.WComOpen(0, 57600);
    platform::LibraryHandle own = platform::LoadLibraryA(libraryPath);  // the same module again
    auto* configure = reinterpret_cast<int32_t(__stdcall*)(int32_t, int32_t)>(
        platform::GetProcAddress(own, "WComConfigure"));
    if (handle == -1 || configure == nullptr) {
        std::fprintf(stderr, "the simulator does not answer\n");
        return 1;
    }
    Compare(
        "simulator WComConfigure", 200'000, [&](int32_t i) { sink = sink + configure(handle, i); },
        [&](int32_t i) { sink = sink + lib.WComConfigure(handle, i); });
    lib.WComClose(handle);
    platform::FreeLibrary(own);
    return 0;
}
