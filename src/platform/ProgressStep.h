// The arithmetic of a progress bar's step.
#pragma once

namespace platform::detail {

// The position after one step from `position` in the range min..max: a position past the maximum
// starts over at the minimum (from the maximum, a step of 1 gives the minimum), and one below the
// minimum comes in again from the maximum. The result always lies in the range; min <= max.
int SteppedPosition(int position, int step, int min, int max);

// `position` clamped into min..max; min <= max.
int ClampedPosition(int position, int min, int max);

}  // namespace platform::detail
