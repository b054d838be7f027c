#include <windows.h>

#include "platform/Application.h"
#include "platform/Backend.h"
#include "platform/win32/WideText.h"

namespace platform {

bool ShowStartupFailure(const std::string& text) {
    Responder& responder = CurrentResponder();
    if (&responder != &detail::PlatformResponder()) {
        responder.MessageBox(text);
        return true;
    }
    // No window exists yet: task-modal, and brought to the front, since a program started from a
    // menu has nothing else on the screen. MessageBoxW gives 0 when it cannot show the box (no
    // desktop to show it on).
    return MessageBoxW(nullptr, win32::Widen(text).c_str(), nullptr,
                       MB_OK | MB_TASKMODAL | MB_SETFOREGROUND) != 0;
}

}  // namespace platform
