#include "platform/win32/Palette.h"

#include <algorithm>
#include <cmath>

namespace platform::win32 {
namespace {

// Black text on the face, and the face's text on it and on white fields, must reach this ratio
// (WCAG AAA for normal text): black on a mid grey is no longer enough.
constexpr double kMinimumContrast = 7.0;

double Linear(uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(TColor color) {
    return 0.2126 * Linear(color.red) + 0.7152 * Linear(color.green) + 0.0722 * Linear(color.blue);
}

}  // namespace

double ContrastRatio(TColor a, TColor b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Palette ChoosePalette(TColor systemFace, TColor systemText) {
    const TColor white{255, 255, 255};
    const bool readable = ContrastRatio(clBlack, systemFace) >= kMinimumContrast &&
                          ContrastRatio(systemText, systemFace) >= kMinimumContrast &&
                          ContrastRatio(systemText, white) >= kMinimumContrast;
    if (!readable) {
        return kLightPalette;
    }
    return Palette{systemFace, systemText, white, systemText};
}

}  // namespace platform::win32
