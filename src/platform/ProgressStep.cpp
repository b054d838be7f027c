#include "platform/ProgressStep.h"

#include <algorithm>
#include <cstdint>

namespace platform::detail {

int SteppedPosition(int position, int step, int min, int max) {
    // 64-bit so that no sum or span of two ints overflows.
    const int64_t span = int64_t{max} - min + 1;
    const int64_t offset = (int64_t{ClampedPosition(position, min, max)} - min + step) % span;
    return static_cast<int>(min + (offset < 0 ? offset + span : offset));
}

int ClampedPosition(int position, int min, int max) {
    return std::clamp(position, min, max);
}

}  // namespace platform::detail
