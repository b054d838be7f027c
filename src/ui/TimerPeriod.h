// The period of the main window's timer.
#pragma once

#include <cstdint>
#include <limits>

namespace ui {

// The timer period in milliseconds for a SensorsUpdateDelay in seconds; 0 means the timer never
// ticks. 0 seconds gives 0; so do a negative delay and one whose period does not fit a signed
// 32-bit millisecond count, which have no sensible meaning as a period.
constexpr int32_t TimerPeriodMs(int32_t delaySeconds) {
    const int64_t period = int64_t{delaySeconds} * 1000;
    if (period <= 0 || period > std::numeric_limits<int32_t>::max()) {
        return 0;
    }
    return static_cast<int32_t>(period);
}

}  // namespace ui
