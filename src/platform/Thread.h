// A thread class with a synchronised call into the user-interface thread.
//
// Synchronize hands a call to the user-interface thread and blocks the calling thread until it
// has run there. The user-interface thread serves such calls from its message loop, from the
// nested loops of message boxes and dialogs, and while it waits in WaitFor, so a worker that
// waits for the user-interface thread can always be waited for. No lock is held while a handed-over
// call runs.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

enum class TThreadPriority { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

class TThread {
  public:
    // A suspended thread runs only after Start. A derived class that is created running calls
    // Start() as the last step of its own constructor, so that Execute never runs on a partly
    // built object.
    explicit TThread(bool createSuspended);
    // Requests termination and waits for the thread's end (see WaitFor). The most derived object
    // must not be destroyed while Execute runs: destroy threads through ThreadPtr, whose deleter
    // waits before any destructor runs.
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts a thread created suspended; does nothing if it already runs or has run.
    void Start();
    // Sets the termination request, which Execute tests through Terminated(), and wakes a Pause.
    // Thread: any.
    void Terminate();
    // Waits for the thread's end. On the user-interface thread it keeps running synchronised
    // calls while it waits. Returns at once for a thread that was never started or has ended.
    // Must not be called from the thread itself or from inside a synchronised call of this thread.
    void WaitFor();
    // True once Execute has returned (or the thread was never started and will not be).
    bool Finished() const;

    void SetPriority(TThreadPriority priority);
    TThreadPriority Priority() const;

    // Deleter for ThreadPtr: terminates, waits, then destroys.
    struct Deleter {
        void operator()(TThread* thread) const;
    };

  protected:
    // The thread body; runs on the thread itself.
    virtual void Execute() = 0;
    // Thread: the thread itself. True once Terminate has been called.
    bool Terminated() const;
    // Runs `method` on the user-interface thread and returns when it has run there. An exception
    // thrown by `method` is rethrown here. Called on the user-interface thread, runs it directly.
    void Synchronize(const std::function<void()>& method);
    // Pauses the thread for the given time; returns early once termination has been requested.
    void Pause(uint32_t milliseconds);

  private:
    void Run();

    std::thread thread_;
    // Set by Terminate on any thread, read by the thread body: relaxed ordering suffices for a
    // flag that carries no data; the wake-up of Pause goes through pauseMutex_.
    std::atomic<bool> terminated_{false};
    // Written by the thread as its very last act (release), read by WaitFor (acquire).
    std::atomic<bool> finished_{false};
    std::atomic<bool> started_{false};
    std::atomic<TThreadPriority> priority_{TThreadPriority::Normal};
    std::mutex pauseMutex_;
    std::condition_variable pauseWake_;
};

template <class T>
using ThreadPtr = std::unique_ptr<T, TThread::Deleter>;

// True on the user-interface thread (the thread that called TApplication::Initialize, or the
// first thread that served synchronised calls).
bool IsUserInterfaceThread();

// Depth of synchronised calls now running on the user-interface thread (0 outside any).
// Thread: user-interface thread.
int SynchronizedCallDepth();

// Runs every synchronised call that is waiting now; returns how many ran. The event loop calls
// this when woken; tests may call it directly. Thread: user-interface thread.
int ServeSynchronizedCalls();

// Pauses the calling thread for the given time.
void Sleep(uint32_t milliseconds);

}  // namespace platform
