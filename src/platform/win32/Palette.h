// The colours the window is painted in.
#pragma once

#include "platform/Types.h"

namespace platform::win32 {

struct Palette {
    TColor face;       // the window's background, behind labels and static texts
    TColor text;       // texts without a colour of their own
    TColor field;      // the background of edit fields
    TColor fieldText;  // the text of edit fields
};

// The light palette of the classic desktop: what the window falls back to.
inline constexpr Palette kLightPalette{{240, 240, 240}, {0, 0, 0}, {255, 255, 255}, {0, 0, 0}};

// The window takes the desktop's button-face and window-text colours as long as they stay
// readable with the fixed colours of the window (black headings on the face, text on white
// fields); a dark or high-contrast desktop theme would put black on dark grey, so then the
// whole light palette is used instead. Fields are always white. Thread: any.
Palette ChoosePalette(TColor systemFace, TColor systemText);

// The WCAG contrast ratio of two colours, from 1 (same) to 21 (black on white).
double ContrastRatio(TColor a, TColor b);

}  // namespace platform::win32
