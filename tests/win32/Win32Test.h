// Helpers of the Win32 backend's tests: the window handles behind the platform's objects, a
// message loop that waits for a condition, the dialogs open on this thread, and real key input.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/win32/FormState.h"

namespace win32_test {

inline HWND WindowOf(const platform::TForm& form) {
    return platform::win32::FormFrom(form.Native()).window;
}

inline HWND WindowOf(const platform::TControl& control) {
    return platform::win32::WidgetFrom(control.Native()).window;
}

inline int Dpi(const platform::TForm& form) {
    return platform::win32::FormFrom(form.Native()).dpi;
}

// A length of the description at the form's resolution.
inline int Scaled(const platform::TForm& form, int length) {
    return MulDiv(length, Dpi(form), 96);
}

// Runs this thread's messages through the program's own loop until `done` or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        platform::Application.ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void PumpFor(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    PumpUntil([&] { return std::chrono::steady_clock::now() >= end; }, milliseconds + 1000);
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

inline std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

inline BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    if (ClassOf(window) == L"#32770" && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

// The visible dialogs (message boxes, file dialogs) of a thread, top-level, in z-order.
inline std::vector<HWND> OpenDialogs(DWORD threadId = GetCurrentThreadId()) {
    std::vector<HWND> dialogs;
    EnumThreadWindows(threadId, &CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

// Real key strokes through the system's input queue, as the keyboard makes them: they reach the
// focused window of the foreground window, with the keyboard state (Alt, Shift) that goes with
// them. A key given with `extended` is the keypad's Enter, for instance.
struct Key {
    WORD code;
    bool extended = false;
};

inline void Type(std::initializer_list<Key> held, Key key) {
    std::vector<INPUT> inputs;
    auto add = [&inputs](Key k, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = k.code;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(k.code, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (k.extended ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    };
    for (Key k : held) {
        add(k, false);
    }
    add(key, false);
    add(key, true);
    for (auto it = std::rbegin(held); it != std::rend(held); ++it) {
        add(*it, true);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Long enough for the system to deliver them, and for the loop to translate and run them.
    PumpFor(150);
}

// Makes the form the window that takes the keyboard.
inline bool Activate(const platform::TForm& form) {
    HWND window = WindowOf(form);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    return PumpUntil([window] { return GetForegroundWindow() == window; }, 3000);
}

// The name of the control that has the focus, or "" for none of the form's.
inline std::string FocusedName(const platform::TForm& form) {
    HWND focus = GetFocus();
    for (const auto& component : form.Components()) {
        if (auto* control = dynamic_cast<platform::TControl*>(component.get())) {
            if (WindowOf(*control) == focus && focus != nullptr) {
                return control->Name();
            }
        }
    }
    return "";
}

class ApplicationTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { platform::Application.Initialize(); }
};

}  // namespace win32_test
