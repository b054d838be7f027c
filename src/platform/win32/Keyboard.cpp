#include <windows.h>

#include "platform/win32/Backend.h"
#include "platform/win32/Mnemonic.h"

namespace platform::win32 {
namespace {

Widget* FocusedWidget(const FormState& form) {
    HWND focus = GetFocus();
    return focus != nullptr ? form.WidgetOf(focus) : nullptr;
}

bool CanBePressed(const Widget& button) {
    const LONG_PTR style = GetWindowLongPtrW(button.window, GWL_STYLE);
    return (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

// The first button in tab order that carries the accelerator and can be pressed; the dialog
// manager would instead only move the focus between buttons that share one.
bool PressAccelerator(FormState& form, wchar_t key) {
    for (Widget* widget : form.TabOrder()) {
        if (widget->kind != ComponentKind::Button || !CanBePressed(*widget)) {
            continue;
        }
        const int length = GetWindowTextLengthW(widget->window);
        std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
        caption.resize(static_cast<std::size_t>(
            GetWindowTextW(widget->window, caption.data(), length + 1)));
        if (MatchesMnemonic(caption, key)) {
            PressButton(*widget, /*focus=*/true);
            return true;
        }
    }
    return false;
}

}  // namespace

bool HandleFormKeys(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR &&
        message.message != WM_CHAR) {
        return false;
    }
    FormState* form = FormOfWindow(message.hwnd);
    if (form == nullptr || !IsWindowEnabled(form->window)) {
        return false;
    }
    Widget* focused = FocusedWidget(*form);
    switch (message.message) {
        case WM_KEYDOWN:
            // Enter (the keypad's too, which differs only in its extended-key bit) presses the
            // focused button and nothing else: no button is the default one. Escape presses
            // nothing. Taken here, before the dialog manager would send IDOK or IDCANCEL.
            if (message.wParam == VK_RETURN) {
                if (focused != nullptr && focused->kind == ComponentKind::Button &&
                    CanBePressed(*focused)) {
                    PressButton(*focused, /*focus=*/false);
                }
                return true;
            }
            return message.wParam == VK_ESCAPE;
        case WM_SYSCHAR:
            // Alt+letter.
            return PressAccelerator(*form, static_cast<wchar_t>(message.wParam));
        case WM_CHAR:
            // A letter typed on a button, which takes no characters, is an accelerator too, as
            // in a dialog; an edit field keeps its characters.
            if (focused == nullptr || focused->kind == ComponentKind::Button) {
                return PressAccelerator(*form, static_cast<wchar_t>(message.wParam));
            }
            return false;
        default:
            return false;
    }
}

void PressButton(Widget& button, bool focus) {
    if (focus) {
        SetFocus(button.window);
    }
    // A copy: the handler may set another one, which would destroy this one while it runs.
    const TNotifyEvent handler = button.onClick;
    if (handler) {
        RunGuarded([&] { handler(button.control); });
    }
}

}  // namespace platform::win32
