#include <windows.h>

#include "platform/win32/Backend.h"

namespace platform::win32 {
namespace {

BOOL CALLBACK DismissIfModal(HWND window, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    // "#32770" is the class of every dialog, message boxes and the file dialogs among them; the
    // program's own windows are of other classes.
    if (lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(window)) {
        // IDCANCEL: a file dialog is cancelled; a message box with only OK takes it as OK.
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

}  // namespace

void DismissOpenModals() {
    EnumThreadWindows(GetCurrentThreadId(), &DismissIfModal, 0);
}

}  // namespace platform::win32
