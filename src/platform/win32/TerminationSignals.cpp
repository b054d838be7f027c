#include "platform/Application.h"

namespace platform {

void HoldTerminationSignals() {
    // Nothing to hold on Windows. The tool is a GUI program without a console, so no console
    // control event (Ctrl+C, closing a console) ever reaches it; the system asks a GUI program to
    // end through messages to its window (WM_CLOSE, as taskkill sends it; WM_QUERYENDSESSION and
    // WM_ENDSESSION at log-off and shut-down), which wait in the queue until the window exists
    // and its message loop answers them in order.
}

}  // namespace platform
