#include "link/SensorText.h"

#include <cmath>
#include <cstdio>

namespace phonelink {
namespace {

// Cuts a UTF-8 text to at most `limit` bytes without splitting a character.
void CutAtCharacter(std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return;
    }
    std::size_t end = limit;
    // Back off over continuation bytes to the start of the character that the cut would split.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
}

}  // namespace

std::string FormatSensorValue(double value, SensorUnit unit) {
    if (!std::isfinite(value)) {
        return "--";
    }
    const char* format = unit == SensorUnit::Volt ? "%.2f V" : "%.2f \u00B0C";
    // The largest finite double prints with 309 digits before the point.
    char text[400];
    std::snprintf(text, sizeof text, format, value);
    std::string bounded = text;
    CutAtCharacter(bounded, kSensorTextMax);
    return bounded;
}

}  // namespace phonelink
