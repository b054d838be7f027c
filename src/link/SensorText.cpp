#include "link/SensorText.h"

#include <cmath>
#include <cstdio>

namespace phonelink {

std::string FormatSensorValue(double value, SensorUnit unit) {
    if (!std::isfinite(value)) {
        return "--";
    }
    const char* format = unit == SensorUnit::Volt ? "%.2f V" : "%.2f \u00B0C";
    char text[kSensorTextMax + 1];
    // snprintf cuts at the buffer's end and always terminates; the cut is the documented bound.
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace phonelink
