// Labels: texts that the form draws itself, sized to their text.
#pragma once

#include <string>

#include "platform/win32/FormState.h"

struct HDC__;
struct tagRECT;

namespace platform::win32 {

// Draws the visible labels that meet `dirty`, in table order.
void PaintLabels(const FormState& form, HDC__* dc, const tagRECT& dirty);

// The size of the text in the font, in pixels: the text's width and the font's line height.
TRect MeasureText(FontHandle font, const std::string& text);

// Marks the label's area for painting; `now` paints it before returning.
void InvalidateLabel(const Widget& label, bool now);

}  // namespace platform::win32
