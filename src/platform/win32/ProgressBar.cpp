#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "platform/Controls.h"
#include "platform/ProgressStep.h"
#include "platform/win32/FormState.h"

namespace platform {
namespace {

HWND Bar(void* native) {
    return win32::WidgetFrom(native).window;
}

PBRANGE RangeOf(HWND bar) {
    PBRANGE range{};
    SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    return range;
}

}  // namespace

void TProgressBar::SetRange(int min, int max) {
    HWND bar = Bar(native_);
    const int position = Position();
    // An inverted range collapses to its minimum.
    max = std::max(min, max);
    SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(detail::ClampedPosition(position, min, max)),
                 0);
}

int TProgressBar::Min() const {
    return RangeOf(Bar(native_)).iLow;
}

int TProgressBar::Max() const {
    return RangeOf(Bar(native_)).iHigh;
}

void TProgressBar::SetStep(int step) {
    win32::WidgetFrom(native_).step = step;
    SendMessageW(Bar(native_), PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

int TProgressBar::Step() const {
    return win32::WidgetFrom(native_).step;
}

void TProgressBar::SetPosition(int position) {
    SendMessageW(Bar(native_), PBM_SETPOS,
                 static_cast<WPARAM>(detail::ClampedPosition(position, Min(), Max())), 0);
}

int TProgressBar::Position() const {
    return static_cast<int>(SendMessageW(Bar(native_), PBM_GETPOS, 0, 0));
}

void TProgressBar::StepIt() {
    // Our own arithmetic rather than PBM_STEPIT, so that a step past the maximum starts over at
    // the minimum exactly as the platform promises, whatever the control's version does.
    SendMessageW(Bar(native_), PBM_SETPOS,
                 static_cast<WPARAM>(detail::SteppedPosition(Position(), Step(), Min(), Max())), 0);
}

}  // namespace platform
