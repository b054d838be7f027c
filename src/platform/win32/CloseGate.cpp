// Closing windows only when no synchronised call is running on the user-interface thread: the
// form's close handler stops the worker and waits for it, and a worker blocked in a running call
// would never end.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/Application.h"
#include "platform/Thread.h"
#include "platform/win32/Backend.h"

namespace platform::win32 {
namespace {

// Windows whose close waits for the running synchronised calls. Thread: user-interface thread.
std::vector<HWND>& DeferredWindows() {
    static std::vector<HWND> windows;
    return windows;
}

}  // namespace

void RequestClose(FormState& form) {
    if (SynchronizedCallDepth() > 0) {
        auto& windows = DeferredWindows();
        if (std::find(windows.begin(), windows.end(), form.window) == windows.end()) {
            windows.push_back(form.window);
        }
        return;
    }
    RunGuarded([&form] { form.owner->CloseRequested(); });
    // The window closes after its handler has run: hidden, and destroyed with its form.
    ShowWindow(form.window, SW_HIDE);
}

void PostDeferredCloses() {
    if (DeferredWindows().empty()) {
        return;
    }
    std::vector<HWND> windows;
    windows.swap(DeferredWindows());
    if (Application.Terminated()) {
        return;
    }
    for (HWND window : windows) {
        // From the message loop, never from inside ServeAll: the loop that served the last
        // call may be a modal loop that has still to return.
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

void ForgetDeferredClose(HWND window) {
    auto& windows = DeferredWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

void EndSession(FormState& form) {
    MarkCloseRequested();
    DismissOpenModals();
    RequestClose(form);
}

}  // namespace platform::win32
