// The six sensor values the phone reports at a given moment.
#pragma once

#include <cstdint>

#include "Scenario.h"

namespace sim {

// Values the scenario fixes are returned as given (NaN and infinities included); the others
// drift slowly with `msSinceOpen`: battery 3.75-4.05 V with the middle between minimum and
// maximum, temperatures between 20 and 40 degrees Celsius.
servicelib::SensorData SensorValues(const Scenario& scenario, int64_t msSinceOpen);

}  // namespace sim
