// Closing windows only when no synchronised call is running on the user-interface thread.
//
// Thread: user-interface thread only.
#pragma once

class QWidget;

namespace platform::qt {

// Closes the window as its close box would, from the event loop: posted now when no synchronised
// call is running, otherwise once the last running call has returned.
void RequestClose(QWidget& window);

// Keeps the window's close for the moment the last running synchronised call has returned.
void DeferClose(QWidget& window);

// Posts the deferred closes; runs each time the depth of synchronised calls is back at 0.
void PostDeferredCloses();

}  // namespace platform::qt
