#include "Sensors.h"

#include <cmath>

namespace sim {

servicelib::SensorData SensorValues(const Scenario& scenario, int64_t msSinceOpen) {
    // Periods of minutes: the values move visibly over a session but not between two ticks.
    const double minutes = static_cast<double>(msSinceOpen) / 60000.0;
    const double middle = 3.90 + 0.10 * std::sin(minutes * 0.7);
    const double drifting[kSensorCount] = {
        middle,
        middle + 0.05 + 0.01 * std::sin(minutes * 2.3),
        middle - 0.05 - 0.01 * std::cos(minutes * 1.9),
        31.0 + 4.0 * std::sin(minutes * 0.5),
        25.0 + 3.0 * std::sin(minutes * 0.3 + 1.0),
        34.0 + 5.0 * std::sin(minutes * 0.9 + 2.0),
    };
    double values[kSensorCount];
    for (std::size_t i = 0; i < kSensorCount; ++i) {
        values[i] = scenario.sensors[i].value_or(drifting[i]);
    }
    return servicelib::SensorData{values[0], values[1], values[2], values[3], values[4], values[5]};
}

}  // namespace sim
