#include "platform/qt/CloseGate.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "platform/Application.h"
#include "platform/Thread.h"

namespace platform::qt {
namespace {

// Windows whose close waits for the running synchronised calls; a window deleted meanwhile drops
// out by itself.
std::vector<QPointer<QWidget>>& DeferredWindows() {
    static std::vector<QPointer<QWidget>> windows;
    return windows;
}

void PostClose(QWidget& window) {
    // From the event loop, never from inside the code that asked: the asking code may be a
    // signal notifier inside a nested loop that has still to return.
    QTimer::singleShot(0, &window, [target = &window] { target->close(); });
}

}  // namespace

void RequestClose(QWidget& window) {
    if (SynchronizedCallDepth() > 0) {
        DeferClose(window);
    } else {
        PostClose(window);
    }
}

void DeferClose(QWidget& window) {
    for (const QPointer<QWidget>& waiting : DeferredWindows()) {
        if (waiting == &window) {
            return;
        }
    }
    DeferredWindows().emplace_back(&window);
}

void PostDeferredCloses() {
    if (DeferredWindows().empty()) {
        return;
    }
    std::vector<QPointer<QWidget>> windows;
    windows.swap(DeferredWindows());
    if (Application.Terminated()) {
        return;
    }
    for (const QPointer<QWidget>& window : windows) {
        if (window) {
            PostClose(*window);
        }
    }
}

}  // namespace platform::qt
