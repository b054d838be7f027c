// Synchronised calls served by the event loop, without WaitFor, and from inside a nested loop.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTest>
#include <atomic>
#include <thread>

#include "LambdaThread.h"
#include "platform/Application.h"

namespace {

using platform_test::LambdaThread;

class SyncEventLoop : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { platform::Application.Initialize(); }
};

TEST_F(SyncEventLoop, CallIsServedByTheEventLoop) {
    const std::thread::id self = std::this_thread::get_id();
    bool ran = false;
    bool onThisThread = false;
    std::atomic<bool> returned{false};
    LambdaThread worker([&](LambdaThread& thread) {
        thread.Synchronize([&] {
            ran = true;
            onThisThread = std::this_thread::get_id() == self;
        });
        returned.store(true);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return returned.load(); }, 2000));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(onThisThread);
    worker.WaitFor();
}

TEST_F(SyncEventLoop, CallIsServedInsideANestedLoopOfAnotherCall) {
    // The first worker's call runs a nested loop, as a message box would; the second worker's
    // call must be served inside it, and it ends that loop.
    QEventLoop* nested = nullptr;  // user-interface thread only
    std::atomic<bool> firstInside{false};
    bool secondRanNested = false;
    LambdaThread first([&](LambdaThread& thread) {
        thread.Synchronize([&] {
            QEventLoop loop;
            nested = &loop;
            firstInside.store(true);
            loop.exec();
            nested = nullptr;
        });
    });
    LambdaThread second([&](LambdaThread& thread) {
        while (!firstInside.load()) {
            std::this_thread::yield();
        }
        thread.Synchronize([&] {
            secondRanNested = nested != nullptr && platform::SynchronizedCallDepth() == 2;
            if (nested != nullptr) {
                nested->quit();
            }
        });
    });
    first.WaitFor();  // serves the first call, whose nested loop serves the second
    second.WaitFor();
    EXPECT_TRUE(secondRanNested);
}

}  // namespace
