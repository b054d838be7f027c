// Closing the window on the Win32 backend: a close while a worker runs, a close during a
// synchronised call, and the end of the session (log-off, shut-down). The end of a session
// makes the application refuse boxes for the rest of the process, so these tests have an
// executable of their own, one process per test.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "LambdaThread.h"
#include "RecordingResponder.h"
#include "SmallForm.h"
#include "Win32Test.h"

namespace {

using platform_test::LambdaThread;

// A main window whose close handler stops its worker as the tool's does: termination request,
// a wait that serves the worker's synchronised calls, then the end of the message loop.
class WorkerForm : public platform_test::SmallForm {
  public:
    explicit WorkerForm(platform::TApplication*) {}
    void CloseRequested() override {
        ++closeRequests;
        if (worker) {
            worker->Terminate();
            worker->WaitFor();
            workerFinishedAtClose = worker->Finished();
        }
        platform::Application.Terminate();
    }
    std::unique_ptr<LambdaThread> worker;
    bool workerFinishedAtClose = false;
};

class Closing : public win32_test::ApplicationTest {
  protected:
    void TearDown() override {
        platform::Application.DestroyForms();
        platform::Application.ResetTerminatedForTesting();
    }
    static WorkerForm& CreateMainForm() {
        WorkerForm* form = nullptr;
        platform::Application.CreateForm(form);
        return *form;
    }
    // A worker that hands the user-interface thread one call after another until asked to end,
    // as the connection worker steps its progress bar.
    static std::unique_ptr<LambdaThread> BusyWorker(std::atomic<int>& calls) {
        return std::make_unique<LambdaThread>([&calls](LambdaThread& thread) {
            while (!thread.Terminated()) {
                thread.Synchronize([&calls] { ++calls; });
                thread.Pause(5);
            }
        });
    }
};

struct CloseCase {
    const char* description;
    UINT message;
    WPARAM wParam;
};

class CloseWhileWorkerRuns : public Closing, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseWhileWorkerRuns, StopsTheWorkerAndEndsTheLoopWithoutDeadlock) {
    const CloseCase& c = GetParam();
    WorkerForm& form = CreateMainForm();
    std::atomic<int> calls{0};
    form.worker = BusyWorker(calls);
    HWND window = win32_test::WindowOf(form);
    std::thread closer([&] {
        while (calls.load() < 3) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        PostMessageW(window, c.message, c.wParam, 0);
    });
    platform::Application.Run();  // returns once the close handler has stopped the worker
    closer.join();
    EXPECT_EQ(form.closeRequests, 1) << c.description;
    EXPECT_TRUE(form.workerFinishedAtClose) << c.description;
    EXPECT_FALSE(IsWindowVisible(window)) << c.description;
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, CloseWhileWorkerRuns,
    ::testing::Values(CloseCase{"WM_CLOSE", WM_CLOSE, 0},
                      CloseCase{"the system menu's Close (close box, Alt+F4)", WM_SYSCOMMAND,
                                SC_CLOSE}));

TEST_F(Closing, CloseDuringASynchronizedCallWaitsUntilTheCallHasReturned) {
    WorkerForm& form = CreateMainForm();
    int requestsInsideCall = -1;
    LambdaThread worker([&](LambdaThread& thread) {
        thread.Synchronize([&] {
            form.Close();
            win32_test::PumpFor(100);  // a nested loop, as a message box in the call would run
            requestsInsideCall = form.closeRequests;
        });
    });
    platform::Application.Run();  // ends through the deferred close
    worker.WaitFor();
    EXPECT_EQ(requestsInsideCall, 0);
    EXPECT_EQ(form.closeRequests, 1);
}

// The system asks from another thread, and waits for the answers, as at log-off.
LRESULT AskFromOutside(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    std::atomic<bool> answered{false};
    std::thread system([&] {
        answer = SendMessageW(window, message, wParam, lParam);
        answered.store(true);
    });
    win32_test::PumpUntil([&] { return answered.load(); });
    system.join();
    return answer;
}

TEST_F(Closing, EndOfSessionClosesInOrderBeforeItsHandlerReturns) {
    WorkerForm& form = CreateMainForm();
    std::atomic<int> calls{0};
    form.worker = BusyWorker(calls);
    HWND window = win32_test::WindowOf(form);
    LRESULT canEnd = 0;
    int closeRequestsWhenEnded = -1;
    bool terminatedWhenEnded = false;
    bool workerFinishedWhenEnded = false;
    std::thread system([&] {
        while (calls.load() < 3) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        canEnd = SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        // The answers of the user-interface thread, read when the system has them back; the
        // user-interface thread is blocked in Run's GetMessage or done by then.
        closeRequestsWhenEnded = form.closeRequests;
        terminatedWhenEnded = platform::Application.Terminated();
        workerFinishedWhenEnded = form.worker->Finished();
    });
    platform::Application.Run();
    system.join();
    EXPECT_EQ(canEnd, TRUE);
    EXPECT_EQ(closeRequestsWhenEnded, 1);
    EXPECT_TRUE(workerFinishedWhenEnded);
    EXPECT_TRUE(terminatedWhenEnded);
    EXPECT_TRUE(platform::Application.CloseRequested());
}

TEST_F(Closing, EndOfSessionDismissesAnOpenBoxAndRefusesNewOnes) {
    WorkerForm& form = CreateMainForm();
    form.Show();
    HWND window = win32_test::WindowOf(form);
    int closeRequestsWhenEnded = -1;
    std::thread system([&] {
        while (win32_test::OpenDialogs(GetWindowThreadProcessId(window, nullptr)).empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        closeRequestsWhenEnded = form.closeRequests;
    });
    platform::ShowMessage("Error: Write file error");  // returns once the box is dismissed
    system.join();
    EXPECT_EQ(closeRequestsWhenEnded, 1);
    EXPECT_TRUE(platform::Application.Terminated());
    // From now on no box is shown and every file dialog is cancelled.
    platform_test::RecordingResponder responder;
    platform::ShowMessage("Too late");
    responder.fileAnswer = "C:\\never.blk";
    EXPECT_FALSE(form.Find<platform::TSaveDialog>("Save")->Execute());
    EXPECT_TRUE(responder.messages.empty());
    EXPECT_TRUE(responder.requests.empty());
}

TEST_F(Closing, EndOfSessionDuringASynchronizedCallClosesOnceTheCallHasReturned) {
    WorkerForm& form = CreateMainForm();
    HWND window = win32_test::WindowOf(form);
    int requestsInsideCall = -1;
    bool boxDismissed = false;
    LambdaThread worker([&](LambdaThread& thread) {
        thread.Synchronize([&] {
            std::thread system([&] {
                while (win32_test::OpenDialogs(GetWindowThreadProcessId(window, nullptr))
                           .empty()) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
                SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
            });
            // A failed block read's box: the end of the session dismisses it.
            platform::ShowMessage("Error: Unable to read Eelite BlockId=67");
            boxDismissed = true;
            system.join();
            requestsInsideCall = form.closeRequests;
        });
    });
    platform::Application.Run();  // ends through the close that waited for the call
    worker.WaitFor();
    EXPECT_TRUE(boxDismissed);
    EXPECT_EQ(requestsInsideCall, 0);
    EXPECT_EQ(form.closeRequests, 1);
}

TEST_F(Closing, EndOfSessionThatIsCancelledChangesNothing) {
    WorkerForm& form = CreateMainForm();
    EXPECT_EQ(AskFromOutside(win32_test::WindowOf(form), WM_QUERYENDSESSION, 0, 0), TRUE);
    AskFromOutside(win32_test::WindowOf(form), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(form.closeRequests, 0);
    EXPECT_FALSE(platform::Application.CloseRequested());
}

}  // namespace
