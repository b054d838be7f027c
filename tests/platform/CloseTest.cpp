// Closing the window: the close deferred while a synchronised call runs, and the termination
// signals. A signal makes the application refuse new boxes for the rest of the process, so
// these tests live in an executable of their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <csignal>

#include "LambdaThread.h"
#include "ModalAnswer.h"
#include "RecordingResponder.h"
#include "SmallForm.h"
#include "platform/Application.h"

namespace {

using platform_test::LambdaThread;
using platform_test::SmallForm;

class Closing : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { platform::Application.Initialize(); }
    void TearDown() override { platform::Application.DestroyForms(); }

    static SmallForm& CreateMainForm() {
        SmallForm* form = nullptr;
        platform::Application.CreateForm(form);
        form->Show();
        return *form;
    }
};

TEST_F(Closing, CloseDuringASynchronizedCallWaitsUntilTheCallHasReturned) {
    SmallForm& form = CreateMainForm();
    int requestsInsideCall = -1;
    std::atomic<bool> returned{false};
    LambdaThread worker([&](LambdaThread& thread) {
        thread.Synchronize([&] {
            form.Close();
            QTest::qWait(50);  // a nested loop, as a message box in the call would run
            requestsInsideCall = form.closeRequests;
        });
        returned.store(true);
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return returned.load(); }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.closeRequests > 0; }, 2000));
    EXPECT_EQ(requestsInsideCall, 0);
    EXPECT_EQ(form.closeRequests, 1);
    worker.WaitFor();
}

TEST_F(Closing, TerminationSignalDismissesTheOpenBoxAndClosesTheMainForm) {
    if (platform::Application.CloseRequested()) {
        GTEST_SKIP() << "needs a process in which no signal has come yet";
    }
    SmallForm& form = CreateMainForm();
    bool boxWasOpen = false;
    QTimer::singleShot(30, [&] { boxWasOpen = QApplication::activeModalWidget() != nullptr; });
    QTimer::singleShot(60, [] { std::raise(SIGTERM); });
    platform::ShowMessage("Waiting for a signal");  // returns only once the box is dismissed
    EXPECT_TRUE(boxWasOpen);
    EXPECT_TRUE(platform::Application.CloseRequested());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.closeRequests > 0; }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(form.closeRequests, 1);
    EXPECT_FALSE(static_cast<QWidget*>(form.Native())->isVisible());

    // From now on no box is shown and every file dialog is cancelled.
    platform_test::RecordingResponder responder;
    platform::ShowMessage("Too late");
    auto* save = form.Find<platform::TSaveDialog>("Save");
    responder.fileAnswer = "/tmp/never.blk";
    EXPECT_FALSE(save->Execute());
    EXPECT_TRUE(responder.messages.empty());
    EXPECT_TRUE(responder.requests.empty());
}

TEST_F(Closing, TerminationSignalCancelsAnOpenFileDialog) {
    if (platform::Application.CloseRequested()) {
        GTEST_SKIP() << "needs a process in which no signal has come yet";
    }
    SmallForm& form = CreateMainForm();
    auto* open = form.Find<platform::TOpenDialog>("Open");
    bool dialogWasOpen = false;
    platform_test::AnswerWhenShown<QFileDialog>([&](QFileDialog&) {
        dialogWasOpen = true;
        std::raise(SIGTERM);
    });
    EXPECT_FALSE(open->Execute());
    EXPECT_TRUE(dialogWasOpen);
    EXPECT_EQ(open->FileName, "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.closeRequests > 0; }, 2000));
}

TEST_F(Closing, TerminationSignalDuringASynchronizedCallClosesAfterTheCall) {
    SmallForm& form = CreateMainForm();
    int requestsInsideCall = -1;
    std::atomic<bool> returned{false};
    LambdaThread worker([&](LambdaThread& thread) {
        thread.Synchronize([&] {
            QTimer::singleShot(20, [] { std::raise(SIGTERM); });
            // A real box when this process has had no signal yet; it is dismissed by the signal.
            platform::ShowMessage("Error: block read failed");
            QTest::qWait(100);
            requestsInsideCall = form.closeRequests;
        });
        returned.store(true);
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return returned.load(); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.closeRequests > 0; }, 2000));
    EXPECT_EQ(requestsInsideCall, 0);
    EXPECT_EQ(form.closeRequests, 1);
    worker.WaitFor();
}

}  // namespace
