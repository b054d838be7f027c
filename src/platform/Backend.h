// What the portable part of the platform layer needs of the backend (src/platform/qt).
#pragma once

#include "platform/Dialogs.h"

namespace platform::detail {

// The platform's own dialogs and message box. Thread: user-interface thread.
Responder& PlatformResponder();

}  // namespace platform::detail
