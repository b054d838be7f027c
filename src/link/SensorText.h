// Texts of the six sensor values.
#pragma once

#include <string>

namespace phonelink {

enum class SensorUnit { Volt, DegreeCelsius };

// Longest sensor text, as the window's 256-byte buffers hold it.
inline constexpr std::size_t kSensorTextMax = 255;

// "%.2lf V" or "%.2lf °C" (UTF-8 degree sign) of the value. A value the library left unfilled
// (still NaN) or an infinite one shows "--". A text longer than 255 characters is cut there (the
// largest doubles give about 310 digits before the point).
std::string FormatSensorValue(double value, SensorUnit unit);

}  // namespace phonelink
