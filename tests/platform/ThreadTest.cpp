// The thread class and its synchronised call, without any event loop: the user-interface thread
// serves the calls only while it waits in WaitFor.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "LambdaThread.h"

namespace {

using platform_test::LambdaThread;
using Clock = std::chrono::steady_clock;

TEST(Thread, ThousandSynchronizedCallsRunOnTheWaitingThread) {
    const std::thread::id self = std::this_thread::get_id();
    int ran = 0;  // touched only by the synchronised calls, which run on this thread
    int onOtherThread = 0;
    LambdaThread worker([&](LambdaThread& thread) {
        for (int i = 0; i < 1000; ++i) {
            thread.Synchronize([&] {
                ++ran;
                if (std::this_thread::get_id() != self) {
                    ++onOtherThread;
                }
            });
        }
    });
    worker.WaitFor();
    EXPECT_EQ(ran, 1000);
    EXPECT_EQ(onOtherThread, 0);
    EXPECT_TRUE(worker.Finished());
}

TEST(Thread, ExceptionOfASynchronizedCallComesBackToTheWorker) {
    std::string caught;  // written by the worker, read after WaitFor has joined it
    LambdaThread worker([&](LambdaThread& thread) {
        try {
            thread.Synchronize([] { throw std::runtime_error("no phone"); });
        } catch (const std::runtime_error& error) {
            caught = error.what();
        }
    });
    worker.WaitFor();
    EXPECT_EQ(caught, "no phone");
}

TEST(Thread, DepthCountsTheSynchronizedCallsRunning) {
    int depthInside = -1;
    LambdaThread worker([&](LambdaThread& thread) {
        thread.Synchronize([&] { depthInside = platform::SynchronizedCallDepth(); });
    });
    worker.WaitFor();
    EXPECT_EQ(depthInside, 1);
    EXPECT_EQ(platform::SynchronizedCallDepth(), 0);
    EXPECT_TRUE(platform::IsUserInterfaceThread());
}

TEST(Thread, SynchronizeOnTheUserInterfaceThreadRunsAtOnce) {
    LambdaThread idle([](LambdaThread&) {}, /*createSuspended=*/true);
    platform::ServeSynchronizedCalls();  // makes this thread the user-interface thread
    bool ran = false;
    idle.Synchronize([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST(Thread, TerminateWakesAPauseAtOnce) {
    std::atomic<bool> pausing{false};
    LambdaThread worker([&](LambdaThread& thread) {
        pausing.store(true);
        thread.Pause(10'000);
    });
    while (!pausing.load()) {
        std::this_thread::yield();
    }
    // Give the worker the time to be inside its wait, so that the wake-up is what is measured.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto start = Clock::now();
    worker.Terminate();
    worker.WaitFor();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));
}

TEST(Thread, PauseAfterTerminateReturnsAtOnce) {
    std::atomic<bool> go{false};
    Clock::duration paused{};
    LambdaThread worker([&](LambdaThread& thread) {
        while (!go.load()) {
            std::this_thread::yield();
        }
        const auto start = Clock::now();
        thread.Pause(10'000);
        paused = Clock::now() - start;
    });
    worker.Terminate();
    go.store(true);
    worker.WaitFor();
    EXPECT_LT(paused, std::chrono::milliseconds(50));
}

TEST(Thread, PauseLastsItsTimeWithoutATerminationRequest) {
    Clock::duration paused{};
    LambdaThread worker([&](LambdaThread& thread) {
        const auto start = Clock::now();
        thread.Pause(60);
        paused = Clock::now() - start;
    });
    worker.WaitFor();
    EXPECT_GE(paused, std::chrono::milliseconds(60));
}

TEST(Thread, DeleterWaitsForTheEndOfTheBody) {
    std::atomic<bool> bodyEnded{false};
    platform::ThreadPtr<LambdaThread> worker(new LambdaThread([&](LambdaThread& thread) {
        while (!thread.Terminated()) {
            thread.Pause(5);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        bodyEnded.store(true);
    }));
    worker.reset();
    EXPECT_TRUE(bodyEnded.load());
}

TEST(Thread, DeleterServesAWorkerBlockedInASynchronizedCall) {
    std::atomic<bool> inLoop{false};
    int served = 0;
    platform::ThreadPtr<LambdaThread> worker(new LambdaThread([&](LambdaThread& thread) {
        inLoop.store(true);
        while (!thread.Terminated()) {
            thread.Synchronize([&] { ++served; });
        }
    }));
    while (!inLoop.load()) {
        std::this_thread::yield();
    }
    worker.reset();  // would deadlock if the wait did not serve the call the worker waits in
    EXPECT_GE(served, 1);
}

TEST(Thread, NeverStartedThreadIsWaitedForAtOnceAndNeverRuns) {
    std::atomic<bool> ran{false};
    LambdaThread suspended([&](LambdaThread&) { ran.store(true); }, /*createSuspended=*/true);
    EXPECT_FALSE(suspended.Finished());
    suspended.WaitFor();
    EXPECT_TRUE(suspended.Finished());
    suspended.Start();
    suspended.WaitFor();
    EXPECT_FALSE(ran.load());
}

TEST(Thread, StartTwiceRunsTheBodyOnce) {
    std::atomic<int> runs{0};
    LambdaThread worker([&](LambdaThread&) { ++runs; }, /*createSuspended=*/true);
    worker.Start();
    worker.Start();
    worker.WaitFor();
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(runs.load(), 1);
}

TEST(Thread, ExceptionLeavingTheBodyEndsTheThreadOnly) {
    LambdaThread worker([](LambdaThread&) { throw std::runtime_error("body failed"); });
    worker.WaitFor();
    EXPECT_TRUE(worker.Finished());
}

TEST(Thread, PriorityIsKept) {
    LambdaThread idle([](LambdaThread&) {}, /*createSuspended=*/true);
    EXPECT_EQ(idle.Priority(), platform::TThreadPriority::Normal);
    idle.SetPriority(platform::TThreadPriority::Lower);
    EXPECT_EQ(idle.Priority(), platform::TThreadPriority::Lower);
}

TEST(Thread, WaitForOnAnotherThreadJoins) {
    std::atomic<bool> bodyEnded{false};
    LambdaThread inner(
        [&](LambdaThread&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            bodyEnded.store(true);
        },
        /*createSuspended=*/true);
    platform::ServeSynchronizedCalls();  // this thread is the user-interface thread
    inner.Start();
    std::thread other([&] { inner.WaitFor(); });
    other.join();
    EXPECT_TRUE(bodyEnded.load());
}

}  // namespace
