// Wakes the user-interface thread's event loop when a worker queues a synchronised call.
#pragma once

class QObject;

namespace platform::qt {

// Creates an eventfd that workers write after queuing a call, and a socket notifier on the
// user-interface thread that drains it and serves the queue. Once per process; `parent` owns
// the notifier. Thread: user-interface thread. Throws std::system_error when the eventfd cannot
// be created.
void InstallSyncWakeup(QObject& parent);

}  // namespace platform::qt
