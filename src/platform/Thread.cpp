#include "platform/Thread.h"

#include <chrono>

#include "platform/SyncQueue.h"

namespace platform {
namespace {

using detail::SyncQueue;

// Written once by Initialize (or claimed by the first thread that serves calls), read by every
// thread that asks whether it is the user-interface thread. std::thread::id is trivially
// copyable, so the atomic needs no lock of its own.
std::atomic<std::thread::id> userInterfaceThread{};

}  // namespace

namespace detail {

void ClaimUserInterfaceThread(bool replace) {
    const std::thread::id self = std::this_thread::get_id();
    if (replace) {
        userInterfaceThread.store(self, std::memory_order_release);
        return;
    }
    std::thread::id none{};
    userInterfaceThread.compare_exchange_strong(none, self, std::memory_order_acq_rel);
}

}  // namespace detail

bool IsUserInterfaceThread() {
    return userInterfaceThread.load(std::memory_order_acquire) == std::this_thread::get_id();
}

int SynchronizedCallDepth() {
    return SyncQueue::Instance().Depth();
}

int ServeSynchronizedCalls() {
    detail::ClaimUserInterfaceThread(false);
    if (!IsUserInterfaceThread()) {
        return 0;
    }
    return SyncQueue::Instance().ServeAll();
}

void Sleep(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

TThread::TThread(bool /*createSuspended*/) {
    // The thread is never started here: Execute is pure virtual until the derived constructor has
    // finished, so a thread created running is started by the derived class calling Start().
}

TThread::~TThread() {
    Terminate();
    WaitFor();
    if (thread_.joinable()) {
        // Only when the thread destroys itself: it cannot join itself, and std::thread's
        // destructor would end the process.
        thread_.detach();
    }
}

void TThread::Start() {
    if (finished_.load(std::memory_order_acquire) || started_.exchange(true)) {
        return;
    }
    thread_ = std::thread(&TThread::Run, this);
}

void TThread::Run() {
    try {
        Execute();
    } catch (...) {
        // An exception that leaves the thread body has nowhere to go; it ends the body like a
        // return, instead of ending the process.
    }
    // The last act of the thread: under the queue's lock, so that a WaitFor that serves calls
    // cannot miss it between its check and its wait.
    SyncQueue::Instance().ChangeAndNotify(
        [this] { finished_.store(true, std::memory_order_release); });
}

void TThread::Terminate() {
    terminated_.store(true, std::memory_order_relaxed);
    {
        // Taken so that a Pause between its test of the flag and its wait cannot miss the wake-up.
        std::lock_guard lock(pauseMutex_);
    }
    pauseWake_.notify_all();
}

void TThread::WaitFor() {
    if (!started_.load(std::memory_order_acquire)) {
        // Never started: from now on it will not be, so it counts as finished.
        finished_.store(true, std::memory_order_release);
        return;
    }
    if (!thread_.joinable() || thread_.get_id() == std::this_thread::get_id()) {
        return;
    }
    detail::ClaimUserInterfaceThread(false);
    if (IsUserInterfaceThread()) {
        SyncQueue::Instance().ServeUntil(
            [this] { return finished_.load(std::memory_order_acquire); });
    }
    thread_.join();
}

bool TThread::Finished() const {
    return finished_.load(std::memory_order_acquire);
}

void TThread::SetPriority(TThreadPriority priority) {
    // Stored only: on Linux a thread's priority is its nice value, and raising it needs privileges
    // the program does not have; the worker runs fine at the normal priority.
    priority_.store(priority, std::memory_order_relaxed);
}

TThreadPriority TThread::Priority() const {
    return priority_.load(std::memory_order_relaxed);
}

void TThread::Deleter::operator()(TThread* thread) const {
    if (thread == nullptr) {
        return;
    }
    thread->Terminate();
    thread->WaitFor();
    delete thread;
}

bool TThread::Terminated() const {
    return terminated_.load(std::memory_order_relaxed);
}

void TThread::Synchronize(const std::function<void()>& method) {
    if (IsUserInterfaceThread()) {
        method();
        return;
    }
    SyncQueue::Instance().Call(method);
}

void TThread::Pause(uint32_t milliseconds) {
    std::unique_lock lock(pauseMutex_);
    pauseWake_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                        [this] { return Terminated(); });
}

}  // namespace platform
