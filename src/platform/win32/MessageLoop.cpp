#include <windows.h>

#include "platform/win32/Backend.h"

namespace platform::win32 {

void DispatchLoopMessage(MSG& message) {
    if (HandleFormKeys(message)) {
        return;
    }
    // The dialog manager moves the focus with Tab and Shift+Tab through the form's tab stops, in
    // the z-order that the form has put in tab order; it translates and dispatches what it
    // handles not.
    if (FormState* form = FormOfWindow(message.hwnd)) {
        if (IsDialogMessageW(form->window, &message)) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace platform::win32
