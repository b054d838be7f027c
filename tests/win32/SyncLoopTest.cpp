// The worker's synchronised call served in every kind of loop of the user-interface thread: the
// main message loop, the system's loops of a message box and of a file dialog, and WaitFor.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "LambdaThread.h"
#include "SmallForm.h"
#include "Win32Test.h"

namespace {

using platform_test::LambdaThread;

enum class Loop { Main, MessageBox, FileDialog, WaitFor };

struct LoopCase {
    const char* description;
    Loop loop;
};

class SyncLoop : public win32_test::ApplicationTest,
                 public ::testing::WithParamInterface<LoopCase> {
  protected:
    void TearDown() override {
        platform::Application.DestroyForms();
        platform::Application.ResetTerminatedForTesting();
    }
};

// A worker that, once the user-interface thread is in the loop under test, hands it a call; the
// call records where it ran and ends that loop.
TEST_P(SyncLoop, CallRunsOnTheUserInterfaceThreadInsideTheLoop) {
    const LoopCase& c = GetParam();
    platform_test::SmallForm* form = nullptr;
    platform::Application.CreateForm(form);
    const DWORD uiThread = GetCurrentThreadId();
    std::atomic<bool> inLoop{false};
    bool ranOnUiThread = false;
    bool dialogOpenDuringCall = false;
    bool returned = false;
    LambdaThread worker(
        [&](LambdaThread& thread) {
            // The loop under test is running once its box or dialog shows (or, for the other
            // two, once the test says so).
            while (!inLoop.load() && win32_test::OpenDialogs(uiThread).empty()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            thread.Synchronize([&] {
                ranOnUiThread = GetCurrentThreadId() == uiThread;
                const std::vector<HWND> dialogs = win32_test::OpenDialogs();
                dialogOpenDuringCall = !dialogs.empty();
                for (HWND dialog : dialogs) {
                    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                }
                if (c.loop == Loop::Main) {
                    platform::Application.Terminate();
                }
            });
            returned = true;
        },
        /*createSuspended=*/true);
    worker.Start();
    switch (c.loop) {
        case Loop::Main:
            inLoop.store(true);
            platform::Application.Run();
            break;
        case Loop::MessageBox:
            platform::ShowMessage("Error: waiting for a synchronised call");
            break;
        case Loop::FileDialog:
            EXPECT_FALSE(form->Find<platform::TOpenDialog>("Open")->Execute());
            break;
        case Loop::WaitFor:
            inLoop.store(true);
            break;
    }
    worker.WaitFor();
    EXPECT_TRUE(returned) << c.description;
    EXPECT_TRUE(ranOnUiThread) << c.description;
    EXPECT_EQ(dialogOpenDuringCall, c.loop == Loop::MessageBox || c.loop == Loop::FileDialog)
        << c.description;
}

INSTANTIATE_TEST_SUITE_P(
    EveryLoop, SyncLoop,
    ::testing::Values(LoopCase{"the main message loop", Loop::Main},
                      LoopCase{"a message box's loop", Loop::MessageBox},
                      LoopCase{"a file dialog's loop", Loop::FileDialog},
                      LoopCase{"WaitFor, without a message loop", Loop::WaitFor}));

class NestedSync : public win32_test::ApplicationTest {};

TEST_F(NestedSync, CallIsServedInsideTheMessageBoxOfAnotherCall) {
    // The first worker's call shows a real message box, as a failed block read does; the second
    // worker's call runs inside that box's loop, one level deeper, and closes the box.
    std::atomic<bool> firstInside{false};
    int depthOfSecond = 0;
    LambdaThread first([&](LambdaThread& thread) {
        thread.Synchronize([&] {
            firstInside.store(true);
            platform::ShowMessage("Error: Unable to read Eelite BlockId=67");
        });
    });
    LambdaThread second([&](LambdaThread& thread) {
        while (!firstInside.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        // The user-interface thread is inside the first call: only the box's loop can serve this.
        thread.Synchronize([&] {
            depthOfSecond = platform::SynchronizedCallDepth();
            for (HWND dialog : win32_test::OpenDialogs()) {
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            }
        });
    });
    first.WaitFor();  // serves the first call, whose box serves the second
    second.WaitFor();
    EXPECT_EQ(depthOfSecond, 2);
}

}  // namespace
