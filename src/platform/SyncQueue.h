// The queue of calls that worker threads hand to the user-interface thread.
//
// A worker pushes a call and blocks until the user-interface thread has run it; the exception the
// call threw, if any, travels back with it. The queue never holds its lock while a call runs, so a
// call may show a message box whose nested loop serves further calls.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace platform::detail {

class SyncQueue {
  public:
    // Called on a worker after a call has been queued, to wake the user-interface thread's event
    // loop. Must be async-safe enough to run on any thread; null when no event loop serves calls.
    using Waker = void (*)();
    // Called on the user-interface thread each time the depth of running calls is back at 0.
    using IdleHook = void (*)();

    static SyncQueue& Instance();

    // Thread: any but the user-interface thread. Blocks until the call has run; rethrows its error.
    void Call(const std::function<void()>& method);

    // Thread: user-interface thread. Runs every call waiting now, one at a time; returns how many.
    int ServeAll();

    // Thread: user-interface thread. Serves calls until `done` is true and none is waiting. `done`
    // is evaluated under the queue's lock, so whatever makes it true must change under the same
    // lock: use ChangeAndNotify.
    void ServeUntil(const std::function<bool()>& done);

    // Thread: any. Runs `change` under the queue's lock, then wakes ServeUntil.
    void ChangeAndNotify(const std::function<void()>& change);

    // Thread: user-interface thread only.
    int Depth() const { return depth_; }

    void SetWaker(Waker waker);
    void SetIdleHook(IdleHook hook);

  private:
    struct PendingCall {
        const std::function<void()>* method;
        std::exception_ptr error;
        bool done = false;
    };

    std::mutex mutex_;
    // Signalled when a call is queued or a ServeUntil condition may have changed.
    std::condition_variable work_;
    // Signalled when a call has run; each worker waits for its own call's done flag.
    std::condition_variable finished_;
    std::deque<PendingCall*> pending_;  // guarded by mutex_; entries live on the workers' stacks
    // Touched only by the user-interface thread.
    int depth_ = 0;
    // Set once by the backend at start-up, read by workers: atomic so that a late install is safe.
    std::atomic<Waker> waker_{nullptr};
    std::atomic<IdleHook> idleHook_{nullptr};
};

// Records the calling thread as the user-interface thread; `replace` false keeps an earlier one.
void ClaimUserInterfaceThread(bool replace);

}  // namespace platform::detail
