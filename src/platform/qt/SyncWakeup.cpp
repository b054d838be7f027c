#include "platform/qt/SyncWakeup.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <system_error>

#include "platform/SyncQueue.h"
#include "platform/Thread.h"

namespace platform::qt {
namespace {

// Set once before any worker can queue a call, read by the workers: -1 until installed.
std::atomic<int> wakeFd{-1};

// Thread: any worker. A full counter or an interrupted write still leaves the eventfd readable,
// which is all the notifier needs.
void WakeUserInterfaceThread() {
    const int fd = wakeFd.load(std::memory_order_acquire);
    const uint64_t one = 1;
    if (fd >= 0 && write(fd, &one, sizeof one) < 0) {
        return;
    }
}

void DrainAndServe() {
    uint64_t count = 0;
    while (read(wakeFd.load(std::memory_order_acquire), &count, sizeof count) > 0) {
    }
    ServeSynchronizedCalls();
}

}  // namespace

void InstallSyncWakeup(QObject& parent) {
    if (wakeFd.load(std::memory_order_acquire) >= 0) {
        return;
    }
    const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
    wakeFd.store(fd, std::memory_order_release);
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, &parent);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { DrainAndServe(); });
    detail::SyncQueue::Instance().SetWaker(&WakeUserInterfaceThread);
}

}  // namespace platform::qt
