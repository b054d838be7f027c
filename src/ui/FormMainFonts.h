// The fonts of the main window. Heights are character (em) heights in pixels at 96 dots per inch.
// A font without a colour takes the system's window-text colour, so a dark desktop theme stays
// readable; only the colours named here are fixed.
#pragma once

#include "platform/Types.h"

namespace ui {

inline const platform::TFontSpec kWindowFont{"", 11, false, false, std::nullopt};
inline const platform::TFontSpec kHeadingFont{"Arial", 16, true, true, platform::clBlack};
inline const platform::TFontSpec kCaptionFont{"Arial", 12, true, false, platform::clBlack};
inline const platform::TFontSpec kLegendFont{"Arial", 12, false, false, platform::clBlack};
inline const platform::TFontSpec kValueFont{"Arial", 12, false, false, std::nullopt};
inline const platform::TFontSpec kSensorValueFont{"Arial", 12, true, false, std::nullopt};
inline const platform::TFontSpec kFieldFont{"", 12, false, false, std::nullopt};
inline const platform::TFontSpec kIndicatorFont{"Arial", 21, false, false, platform::clLime};
inline const platform::TFontSpec kCreditFont{"", 8, false, false, std::nullopt};

inline constexpr const char* kCreditText = "Corvane Tool 1.0";

}  // namespace ui
