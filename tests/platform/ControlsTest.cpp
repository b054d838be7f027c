// Edit fields, buttons, the progress bar and the timer of a form.
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QTest>
#include <stdexcept>

#include "RecordingResponder.h"
#include "SmallForm.h"
#include "platform/Application.h"

namespace {

using platform_test::SmallForm;

class Controls : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { platform::Application.Initialize(); }
    template <class T>
    T& Get(const char* name) {
        T* component = form.Find<T>(name);
        EXPECT_NE(component, nullptr) << name;
        return *component;
    }
    SmallForm form;
};

TEST_F(Controls, EditHasNoLengthLimit) {
    auto& field = Get<platform::TEdit>("Field");
    EXPECT_EQ(field.Text(), "0");
    const std::string longText(40'000, '7');
    field.SetText(longText);
    EXPECT_EQ(field.Text(), longText);
}

struct TextBufCase {
    const char* text;
    std::size_t size;
    const char* expected;
};

class EditTextBuf : public Controls, public ::testing::WithParamInterface<TextBufCase> {};

TEST_P(EditTextBuf, CopiesWholeCharactersThatFitAndAZero) {
    const TextBufCase& c = GetParam();
    auto& field = Get<platform::TEdit>("Field");
    field.SetText(c.text);
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    field.GetTextBuf(buffer, c.size);
    EXPECT_STREQ(buffer, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, EditTextBuf,
                         ::testing::Values(TextBufCase{"1A2B", 16, "1A2B"},
                                           TextBufCase{"1A2B", 5, "1A2B"},
                                           TextBufCase{"1A2B", 3, "1A"}, TextBufCase{"1A2B", 1, ""},
                                           // U+00B0 is two bytes: never cut in half
                                           TextBufCase{"\u00B0C", 2, ""},
                                           TextBufCase{"\u00B0C", 3, "\u00B0"},
                                           TextBufCase{"\u00B0C", 4, "\u00B0C"}));

TEST_F(Controls, ClickRunsTheHandlerOnlyWhenTheButtonCanBePressed) {
    auto& button = Get<platform::TButton>("Exit");
    EXPECT_EQ(button.Caption(), "&Exit");
    int clicks = 0;
    platform::TObject* sender = nullptr;
    button.SetOnClick([&](platform::TObject* from) {
        ++clicks;
        sender = from;
    });
    button.Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, &button);
    button.Disable();
    button.Click();
    button.Enable();
    button.Hide();
    button.Click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(Controls, NewClickHandlerReplacesTheOldOne) {
    auto& button = Get<platform::TButton>("Exit");
    int first = 0;
    int second = 0;
    button.SetOnClick([&](platform::TObject*) { ++first; });
    button.SetOnClick([&](platform::TObject*) { ++second; });
    button.Click();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

TEST_F(Controls, ExceptionFromAHandlerIsShownAsAMessage) {
    platform_test::RecordingResponder responder;
    Get<platform::TButton>("Exit").SetOnClick(
        [](platform::TObject*) { throw std::runtime_error("Error: cannot open file"); });
    Get<platform::TButton>("Exit").Click();
    EXPECT_EQ(responder.messages, (std::vector<std::string>{"Error: cannot open file"}));
}

TEST_F(Controls, ProgressBarStartsAtItsMinimumWithoutText) {
    auto& bar = Get<platform::TProgressBar>("Bar");
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 60);
    EXPECT_EQ(bar.Step(), 1);
    EXPECT_FALSE(static_cast<QProgressBar*>(static_cast<QWidget*>(bar.Native()))->isTextVisible());
}

struct StepCase {
    int start;
    int step;
    int expected;
};

class ProgressBarStep : public Controls, public ::testing::WithParamInterface<StepCase> {};

TEST_P(ProgressBarStep, StartsOverPastTheMaximum) {
    const StepCase& c = GetParam();
    auto& bar = Get<platform::TProgressBar>("Bar");
    bar.SetStep(c.step);
    bar.SetPosition(c.start);
    bar.StepIt();
    EXPECT_EQ(bar.Position(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Range0To60, ProgressBarStep,
                         ::testing::Values(StepCase{0, 1, 1}, StepCase{59, 1, 60},
                                           StepCase{60, 1, 0}, StepCase{58, 5, 2},
                                           StepCase{0, 61, 0}, StepCase{0, -1, 60}));

TEST_F(Controls, ProgressBarPositionIsClampedIntoItsRange) {
    auto& bar = Get<platform::TProgressBar>("Bar");
    bar.SetPosition(75);
    EXPECT_EQ(bar.Position(), 60);
    bar.SetPosition(-3);
    EXPECT_EQ(bar.Position(), 0);
}

TEST_F(Controls, TimerWithPeriodZeroNeverTicks) {
    auto& timer = Get<platform::TTimer>("Tick");
    int ticks = 0;
    timer.SetOnTimer([&](platform::TObject*) { ++ticks; });
    for (int period : {0, -5}) {
        timer.SetInterval(period);
        EXPECT_EQ(timer.Interval(), 0);
        EXPECT_FALSE(timer.Enabled());
        QTest::qWait(200);
    }
    EXPECT_EQ(ticks, 0);
}

TEST_F(Controls, TimerTicksWithItsPeriodUntilStopped) {
    auto& timer = Get<platform::TTimer>("Tick");
    EXPECT_FALSE(timer.Enabled());  // stopped until a period is set
    int ticks = 0;
    platform::TObject* sender = nullptr;
    timer.SetOnTimer([&](platform::TObject* from) {
        ++ticks;
        sender = from;
    });
    timer.SetInterval(50);
    EXPECT_EQ(timer.Interval(), 50);
    QTest::qWait(230);
    EXPECT_GE(ticks, 2);
    EXPECT_LE(ticks, 5);
    EXPECT_EQ(sender, &timer);
    timer.SetInterval(0);
    const int stoppedAt = ticks;
    QTest::qWait(120);
    EXPECT_EQ(ticks, stoppedAt);
}

}  // namespace
