// The one time base of the simulator: milliseconds of the steady (monotonic) clock.
#pragma once

#include <chrono>
#include <cstdint>

namespace sim {

inline int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace sim
