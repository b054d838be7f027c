// The controls of a form on the Win32 backend: texts through the W functions, sizing to text,
// showing and enabling, the progress bar and the timer.
#include <gtest/gtest.h>

#include <cstring>

#include "RecordingResponder.h"
#include "SmallForm.h"
#include "Win32Test.h"

namespace {

using platform_test::SmallForm;
using win32_test::WindowOf;

class Controls : public win32_test::ApplicationTest {
  protected:
    template <class T>
    T& Get(const char* name) {
        T* component = form.Find<T>(name);
        EXPECT_NE(component, nullptr) << name;
        return *component;
    }
    SmallForm form;
};

// Non-ASCII texts must reach the system as UTF-16 and come back as the same UTF-8.
const char* const kTexts[] = {"", "--", "Müller \u00B0C", "\u20AC 3,92 V", "\u4E2D\u6587",
                              "\U0001F4F1 phone", "A & B"};

TEST_F(Controls, TextsComeBackAsTheyWereSet) {
    for (const char* text : kTexts) {
        Get<platform::TLabel>("Heading").SetCaption(text);
        Get<platform::TStaticText>("Value").SetCaption(text);
        Get<platform::TEdit>("Field").SetText(text);
        EXPECT_EQ(Get<platform::TLabel>("Heading").Caption(), text);
        EXPECT_EQ(Get<platform::TStaticText>("Value").Caption(), text);
        EXPECT_EQ(Get<platform::TEdit>("Field").Text(), text);
    }
    // What the system holds is the UTF-16 of the text.
    Get<platform::TStaticText>("Value").SetCaption("-273.00 \u00B0C");
    EXPECT_EQ(win32_test::TextOf(WindowOf(Get<platform::TStaticText>("Value"))),
              L"-273.00 \u00B0C");
    EXPECT_EQ(Get<platform::TButton>("ReadFile").Caption(), "&Read File");
}

TEST_F(Controls, EditHasNoLengthLimit) {
    const std::string longText(40'000, '7');
    Get<platform::TEdit>("Field").SetText(longText);
    EXPECT_EQ(Get<platform::TEdit>("Field").Text(), longText);
    // Typed text too: the control's own limit is lifted, not only the programmatic one.
    EXPECT_GT(SendMessageW(WindowOf(Get<platform::TEdit>("Field")), EM_GETLIMITTEXT, 0, 0),
              40'000);
}

TEST_F(Controls, GetTextBufCutsOnACharacterBoundary) {
    auto& field = Get<platform::TEdit>("Field");
    field.SetText("\u00B0C");
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    field.GetTextBuf(buffer, 2);
    EXPECT_STREQ(buffer, "");
    field.GetTextBuf(buffer, 3);
    EXPECT_STREQ(buffer, "\u00B0");
}

TEST_F(Controls, LabelsAndStaticTextsSizeThemselvesToTheirText) {
    for (const char* name : {"Heading", "Value"}) {
        auto& control = *form.Find<platform::TControl>(name);
        auto setCaption = [&](const char* text) {
            if (auto* label = dynamic_cast<platform::TLabel*>(&control)) {
                label->SetCaption(text);
            } else {
                dynamic_cast<platform::TStaticText&>(control).SetCaption(text);
            }
        };
        setCaption("3.92 V");
        const platform::TRect shorter = control.BoundsRect();
        setCaption("-273.00 \u00B0C and more");
        const platform::TRect longer = control.BoundsRect();
        EXPECT_GT(longer.width, shorter.width) << name;
        EXPECT_EQ(longer.left, shorter.left) << name;
        EXPECT_EQ(longer.top, shorter.top) << name;
        setCaption("3.92 V");
        EXPECT_EQ(control.BoundsRect(), shorter) << name;
    }
    // A static text keeps at least its designed height.
    EXPECT_GE(Get<platform::TStaticText>("Value").BoundsRect().height,
              win32_test::Scaled(form, 19));
}

TEST_F(Controls, MarkupAndAmpersandsAreShownAsTheyAre) {
    // Texts can carry what a phone reports: an '&' must neither vanish nor underline.
    auto& value = Get<platform::TStaticText>("Value");
    value.SetCaption("AB");
    const int plain = value.BoundsRect().width;
    value.SetCaption("A&B");
    EXPECT_GT(value.BoundsRect().width, plain);
    EXPECT_NE(GetWindowLongPtrW(WindowOf(value), GWL_STYLE) & SS_NOPREFIX, 0);
}

TEST_F(Controls, VisibleAndEnabledDoNotDependOnTheWindowBeingShown) {
    ASSERT_FALSE(IsWindowVisible(win32_test::WindowOf(form)));
    auto& bar = Get<platform::TProgressBar>("Bar");
    auto& label = Get<platform::TLabel>("Heading");
    auto& button = Get<platform::TButton>("ReadPhone");
    for (platform::TControl* control : {static_cast<platform::TControl*>(&bar),
                                        static_cast<platform::TControl*>(&label),
                                        static_cast<platform::TControl*>(&button)}) {
        EXPECT_TRUE(control->Visible()) << control->Name();
        control->Hide();
        EXPECT_FALSE(control->Visible()) << control->Name();
        control->Show();
        EXPECT_TRUE(control->Visible()) << control->Name();
        control->Disable();
        EXPECT_FALSE(control->Enabled()) << control->Name();
        control->Enable();
        EXPECT_TRUE(control->Enabled()) << control->Name();
    }
    EXPECT_TRUE(button.TabStop());
    EXPECT_TRUE(Get<platform::TEdit>("Field").TabStop());
    EXPECT_FALSE(bar.TabStop());
    EXPECT_FALSE(label.TabStop());
    EXPECT_FALSE(Get<platform::TStaticText>("Value").TabStop());
}

TEST_F(Controls, ClickRunsTheHandlerOnlyWhenTheButtonCanBePressed) {
    auto& button = Get<platform::TButton>("Exit");
    int clicks = 0;
    platform::TObject* sender = nullptr;
    button.SetOnClick([&](platform::TObject* from) {
        ++clicks;
        sender = from;
    });
    button.Click();
    EXPECT_EQ(sender, &button);
    button.Disable();
    button.Click();
    button.Enable();
    button.Hide();
    button.Click();
    EXPECT_EQ(clicks, 1);
    // The system's click notification reaches the same handler.
    button.Show();
    SendMessageW(WindowOf(button), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, ExceptionFromAHandlerIsShownAsAMessage) {
    platform_test::RecordingResponder responder;
    Get<platform::TButton>("Exit").SetOnClick(
        [](platform::TObject*) { throw std::runtime_error("Error: cannot open file"); });
    SendMessageW(WindowOf(Get<platform::TButton>("Exit")), BM_CLICK, 0, 0);
    EXPECT_EQ(responder.messages, (std::vector<std::string>{"Error: cannot open file"}));
}

TEST_F(Controls, ProgressBarStartsAtItsMinimum) {
    auto& bar = Get<platform::TProgressBar>("Bar");
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 60);
    EXPECT_EQ(bar.Step(), 1);
    EXPECT_EQ(win32_test::ClassOf(WindowOf(bar)), L"msctls_progress32");
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
    // The control itself shows that position.
    EXPECT_EQ(SendMessageW(WindowOf(bar), PBM_GETPOS, 0, 0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Range0To60, ProgressBarStep,
                         ::testing::Values(StepCase{0, 1, 1}, StepCase{59, 1, 60},
                                           StepCase{60, 1, 0}, StepCase{58, 5, 2},
                                           StepCase{0, 61, 0}, StepCase{0, -1, 60}));

TEST_F(Controls, ProgressBarPositionAndRangeAreClamped) {
    auto& bar = Get<platform::TProgressBar>("Bar");
    bar.SetPosition(75);
    EXPECT_EQ(bar.Position(), 60);
    bar.SetPosition(-3);
    EXPECT_EQ(bar.Position(), 0);
    bar.SetPosition(50);
    bar.SetRange(0, 20);
    EXPECT_EQ(bar.Position(), 20);
    bar.SetRange(10, 5);  // inverted: collapses to its minimum
    EXPECT_EQ(bar.Min(), 10);
    EXPECT_EQ(bar.Max(), 10);
    EXPECT_EQ(bar.Position(), 10);
}

TEST_F(Controls, TimerWithPeriodZeroOrBelowNeverTicks) {
    auto& timer = Get<platform::TTimer>("Tick");
    int ticks = 0;
    timer.SetOnTimer([&](platform::TObject*) { ++ticks; });
    timer.SetInterval(30);
    for (int period : {0, -5}) {
        timer.SetInterval(period);
        EXPECT_EQ(timer.Interval(), 0);
        EXPECT_FALSE(timer.Enabled());
        win32_test::PumpFor(200);
    }
    EXPECT_EQ(ticks, 0);
}

TEST_F(Controls, TimerTicksOnThisThreadWithItsPeriodUntilStopped) {
    auto& timer = Get<platform::TTimer>("Tick");
    EXPECT_FALSE(timer.Enabled());  // stopped until a period is set
    int ticks = 0;
    bool onThisThread = true;
    const DWORD self = GetCurrentThreadId();
    platform::TObject* sender = nullptr;
    timer.SetOnTimer([&](platform::TObject* from) {
        ++ticks;
        sender = from;
        onThisThread = onThisThread && GetCurrentThreadId() == self;
    });
    timer.SetInterval(50);
    EXPECT_EQ(timer.Interval(), 50);
    win32_test::PumpFor(280);
    EXPECT_GE(ticks, 2);
    EXPECT_LE(ticks, 7);
    EXPECT_EQ(sender, &timer);
    EXPECT_TRUE(onThisThread);
    timer.SetInterval(0);
    const int stoppedAt = ticks;
    win32_test::PumpFor(150);
    EXPECT_EQ(ticks, stoppedAt);
}

}  // namespace
