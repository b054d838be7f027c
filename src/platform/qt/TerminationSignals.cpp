#include "platform/qt/TerminationSignals.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <system_error>

namespace platform::qt {
namespace {

// The pipe's write end, read inside the signal handler: a lock-free atomic is async-signal-safe.
std::atomic<int> signalWriteFd{-1};
int signalReadFd = -1;  // user-interface thread only

// Async-signal-safe: one write(2), errno kept for the code the signal interrupted.
extern "C" void OnTerminationSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    if (write(signalWriteFd.load(std::memory_order_relaxed), &byte, 1) < 0) {
        // The pipe is full: a signal is pending already.
    }
    errno = savedErrno;
}

}  // namespace

sigset_t TerminationSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

void InstallTerminationSignals(QObject& parent, void (*onSignal)()) {
    if (signalReadFd >= 0) {
        return;
    }
    int fds[2];
    if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
        throw std::system_error(errno, std::generic_category(), "pipe2");
    }
    signalReadFd = fds[0];
    signalWriteFd.store(fds[1], std::memory_order_release);

    auto* notifier = new QSocketNotifier(signalReadFd, QSocketNotifier::Read, &parent);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onSignal] {
        char buffer[16];
        while (read(signalReadFd, buffer, sizeof buffer) > 0) {
        }
        onSignal();
    });

    struct sigaction action {};
    action.sa_handler = &OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // Installed for the rest of the process: a second signal during the close, or one that comes
    // after the loop has ended, only writes to the pipe and cannot end the process before the port
    // is closed.
    for (const int signal : {SIGHUP, SIGINT, SIGTERM}) {
        struct sigaction inherited {};
        // Started under nohup: the user asked for the terminal's going away to be ignored.
        if (signal == SIGHUP && sigaction(SIGHUP, nullptr, &inherited) == 0 &&
            inherited.sa_handler == SIG_IGN) {
            continue;
        }
        sigaction(signal, &action, nullptr);
    }
    // A signal held back since start-up is delivered now and answered once the loop runs.
    sigset_t held = TerminationSignalSet();
    pthread_sigmask(SIG_UNBLOCK, &held, nullptr);
}

}  // namespace platform::qt

namespace platform {

void HoldTerminationSignals() {
    sigset_t held = qt::TerminationSignalSet();
    pthread_sigmask(SIG_BLOCK, &held, nullptr);
}

}  // namespace platform
