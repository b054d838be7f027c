#include "platform/Timer.h"

#include <windows.h>

#include "platform/win32/FormState.h"

namespace platform {
namespace {

win32::TimerState& StateOf(void* native) {
    return *static_cast<win32::TimerState*>(native);
}

}  // namespace

void TTimer::SetInterval(int32_t milliseconds) {
    win32::TimerState& state = StateOf(native_);
    if (milliseconds <= 0) {
        // "Never ticks" is a stopped timer: the system would tick a period of 0 as fast as it can.
        KillTimer(state.form->window, state.id);
        state.interval = 0;
        return;
    }
    // Ticks come as WM_TIMER to the form's window, from whichever loop runs on the
    // user-interface thread; setting the same id again restarts the period.
    if (SetTimer(state.form->window, state.id, static_cast<UINT>(milliseconds), nullptr) == 0) {
        state.interval = 0;
        return;
    }
    state.interval = milliseconds;
}

int32_t TTimer::Interval() const {
    return StateOf(native_).interval;
}

bool TTimer::Enabled() const {
    return StateOf(native_).interval > 0;
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    StateOf(native_).onTimer = std::move(handler);
}

}  // namespace platform
