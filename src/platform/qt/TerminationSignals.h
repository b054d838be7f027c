// SIGHUP, SIGINT and SIGTERM turned into an event on the user-interface thread.
#pragma once

#include <signal.h>

class QObject;

namespace platform::qt {

// Installs handlers for SIGHUP, SIGINT and SIGTERM that only write a byte to a pipe; a socket
// notifier on the user-interface thread reads it and calls `onSignal` there, from the event loop.
// Once per process; `parent` owns the notifier. Throws std::system_error when the pipe cannot be
// created. Unblocks the signals, which HoldTerminationSignals may have held back since start-up.
void InstallTerminationSignals(QObject& parent, void (*onSignal)());

// SIGHUP (the terminal went away), SIGINT and SIGTERM.
sigset_t TerminationSignalSet();

}  // namespace platform::qt
