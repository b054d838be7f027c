#include "platform/SyncQueue.h"

#include <atomic>

namespace platform::detail {

SyncQueue& SyncQueue::Instance() {
    // Never destroyed: a worker may still be blocked in Call while static destructors run.
    static SyncQueue* const queue = new SyncQueue;
    return *queue;
}

void SyncQueue::Call(const std::function<void()>& method) {
    PendingCall call{&method, nullptr, false};
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(&call);
    }
    work_.notify_all();
    if (Waker waker = waker_.load(std::memory_order_acquire)) {
        waker();
    }
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&call] { return call.done; });
    if (call.error) {
        std::rethrow_exception(call.error);
    }
}

int SyncQueue::ServeAll() {
    int served = 0;
    for (;;) {
        PendingCall* call = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty()) {
                break;
            }
            call = pending_.front();
            pending_.pop_front();
        }
        std::exception_ptr error;
        ++depth_;
        try {
            (*call->method)();
        } catch (...) {
            error = std::current_exception();
        }
        --depth_;
        {
            std::lock_guard lock(mutex_);
            // Moved, not copied: the worker alone then owns and frees the exception.
            call->error = std::move(error);
            call->done = true;
            // From here on the worker may return and `call` may be gone.
        }
        finished_.notify_all();
        ++served;
        if (depth_ == 0) {
            if (IdleHook hook = idleHook_.load(std::memory_order_acquire)) {
                hook();
            }
        }
    }
    return served;
}

void SyncQueue::ServeUntil(const std::function<bool()>& done) {
    std::unique_lock lock(mutex_);
    for (;;) {
        work_.wait(lock, [&] { return !pending_.empty() || done(); });
        if (pending_.empty()) {
            return;
        }
        lock.unlock();
        ServeAll();
        lock.lock();
    }
}

void SyncQueue::ChangeAndNotify(const std::function<void()>& change) {
    {
        std::lock_guard lock(mutex_);
        change();
    }
    work_.notify_all();
}

void SyncQueue::SetWaker(Waker waker) {
    waker_.store(waker, std::memory_order_release);
}

void SyncQueue::SetIdleHook(IdleHook hook) {
    idleHook_.store(hook, std::memory_order_release);
}

}  // namespace platform::detail
