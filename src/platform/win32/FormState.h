// The backend's state behind the platform's forms, controls and timers.
//
// A control's `native_` holds a Widget*, a timer's a TimerState*, a form's a FormState*; the form
// owns all three kinds (TForm's destructor frees them after its window is gone). Thread:
// user-interface thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/Types.h"
#include "platform/win32/Fonts.h"
#include "platform/win32/Palette.h"

struct HWND__;
struct HBRUSH__;

namespace platform::win32 {

using WindowHandle = HWND__*;
using BrushHandle = HBRUSH__*;

struct FormState;

struct Widget {
    ComponentKind kind = ComponentKind::Label;
    FormState* form = nullptr;
    TControl* control = nullptr;
    // The child window; null for a label, which the form paints itself.
    WindowHandle window = nullptr;
    int tabOrder = -1;
    TFontSpec font;  // as described, at 96 dots per inch
    FontHandle fontHandle = nullptr;
    TNotifyEvent onClick;  // buttons
    int step = 0;          // progress bars: the toolkit keeps no step of its own that we can read
    int minimumHeight = 0;  // static texts: at least the designed height, in pixels
    // Labels only: a label is no window, so the form keeps what a window would.
    std::string caption;
    TRect bounds;  // pixels in the client area
    bool visible = true;
    bool enabled = true;
};

struct TimerState {
    FormState* form = nullptr;
    TTimer* timer = nullptr;
    unsigned id = 0;        // the SetTimer identifier on the form's window
    int32_t interval = 0;   // milliseconds; 0 while stopped
    TNotifyEvent onTimer;
};

struct FormState {
    TForm* owner = nullptr;
    WindowHandle window = nullptr;
    int dpi = 96;
    Palette palette = kLightPalette;
    BrushHandle faceBrush = nullptr;
    BrushHandle fieldBrush = nullptr;
    FontCache fonts{96};
    std::vector<std::unique_ptr<Widget>> widgets;  // table order
    std::vector<std::unique_ptr<TimerState>> timers;
    // The child that had the focus when the window was last deactivated.
    WindowHandle lastFocus = nullptr;

    explicit FormState(int screenDpi) : dpi(screenDpi), fonts(screenDpi) {}
    int Scale(int length) const { return ScaleToDpi(length, dpi); }
    // The widget of a child window, or nullptr.
    Widget* WidgetOf(WindowHandle child) const;
    // The widgets that can take the focus, in tab order.
    std::vector<Widget*> TabOrder() const;
};

inline Widget& WidgetFrom(void* native) {
    return *static_cast<Widget*>(native);
}

inline FormState& FormFrom(void* native) {
    return *static_cast<FormState*>(native);
}

// The form whose window is `window` or one of its descendants; nullptr for any other window.
FormState* FormOfWindow(WindowHandle window);

}  // namespace platform::win32
