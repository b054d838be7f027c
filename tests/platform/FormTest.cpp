// The window built from its table: geometry, window kind, fonts, texts and the tab chain.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "SmallForm.h"
#include "platform/Application.h"

namespace {

using platform::TRect;
using platform_test::SmallForm;

class Form : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { platform::Application.Initialize(); }
    static QWidget* Widget(void* native) { return static_cast<QWidget*>(native); }
    template <class T>
    T& Get(const char* name) {
        T* component = form.Find<T>(name);
        EXPECT_NE(component, nullptr) << name;
        return *component;
    }
    SmallForm form;
};

TEST_F(Form, WindowHasItsPlaceAndAFixedClientArea) {
    EXPECT_EQ(form.Caption(), "Small Form");
    EXPECT_EQ(form.BoundsRect(), (TRect{206, 111, 553, 505}));
    const QWidget* window = Widget(form.Native());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->minimumSize(), QSize(553, 505));
}

TEST_F(Form, WindowCanBeMinimisedAndClosedButNotMaximised) {
    const Qt::WindowFlags flags = Widget(form.Native())->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
}

TEST_F(Form, ComponentsAreFoundByNameAndKind) {
    EXPECT_NE(form.Find<platform::TButton>("Exit"), nullptr);
    EXPECT_EQ(form.Find<platform::TEdit>("Exit"), nullptr);
    EXPECT_EQ(form.FindComponent("Missing"), nullptr);
    EXPECT_EQ(form.Components().size(), platform_test::kSmallFormTable.size());
}

TEST_F(Form, SizedControlsTakeTheirDesignedBounds) {
    EXPECT_EQ(Get<platform::TEdit>("Field").BoundsRect(), (TRect{56, 256, 49, 21}));
    EXPECT_EQ(Get<platform::TButton>("Exit").BoundsRect(), (TRect{464, 400, 75, 25}));
    EXPECT_EQ(Get<platform::TProgressBar>("Bar").BoundsRect(), (TRect{16, 472, 521, 13}));
}

TEST_F(Form, TextsSizeThemselvesToTheirText) {
    auto& label = Get<platform::TLabel>("Heading");
    const TRect designed = label.BoundsRect();
    label.SetCaption("A much longer heading than before");
    const TRect longer = label.BoundsRect();
    EXPECT_EQ(longer.left, 16);
    EXPECT_EQ(longer.top, 24);
    EXPECT_GT(longer.width, designed.width);

    auto& value = Get<platform::TStaticText>("Value");
    value.SetCaption("3.92 V");
    const int shortWidth = value.BoundsRect().width;
    value.SetCaption("-273.00 \u00B0C");
    EXPECT_EQ(value.Caption(), "-273.00 \u00B0C");
    EXPECT_GT(value.BoundsRect().width, shortWidth);
    EXPECT_GE(value.BoundsRect().height, 19);
}

TEST_F(Form, TextsShowMarkupAsPlainText) {
    // Captions can carry what a phone reports; markup in them must not change what is shown.
    auto& value = Get<platform::TStaticText>("Value");
    value.SetCaption("WW");
    const int plainWidth = value.BoundsRect().width;
    value.SetCaption("<b>W</b>");
    EXPECT_EQ(value.Caption(), "<b>W</b>");
    EXPECT_GT(value.BoundsRect().width, plainWidth);
}

TEST_F(Form, FontsAreThoseOfTheTable) {
    const platform::TFontSpec heading = Get<platform::TLabel>("Heading").Font();
    EXPECT_EQ(heading.face, "Arial");
    EXPECT_EQ(heading.height, 16);
    EXPECT_TRUE(heading.bold);
    EXPECT_TRUE(heading.italic);
    EXPECT_EQ(heading.color, platform::clBlack);

    // Without a font of their own, controls take the window's, and no fixed colour.
    const platform::TFontSpec button = Get<platform::TButton>("Exit").Font();
    EXPECT_EQ(button.face, "");
    EXPECT_EQ(button.height, 11);
    EXPECT_FALSE(button.bold);
    EXPECT_FALSE(button.color.has_value());
    EXPECT_FALSE(Get<platform::TStaticText>("Value").Font().color.has_value());
}

TEST_F(Form, FontColourOfALabelCanBeFixed) {
    auto& label = Get<platform::TLabel>("Credit");
    label.SetFontColor(platform::clLime);
    EXPECT_EQ(label.Font().color, platform::clLime);
    EXPECT_EQ(Widget(label.Native())->palette().color(QPalette::WindowText), QColor(0, 255, 0));
}

TEST_F(Form, VisibleAndEnabledDoNotDependOnTheWindowBeingShown) {
    auto& bar = Get<platform::TProgressBar>("Bar");
    EXPECT_TRUE(bar.Visible());
    bar.Hide();
    EXPECT_FALSE(bar.Visible());
    bar.Show();
    EXPECT_TRUE(bar.Visible());
    auto& button = Get<platform::TButton>("ReadPhone");
    button.Disable();
    EXPECT_FALSE(button.Enabled());
    EXPECT_TRUE(button.TabStop());
    EXPECT_FALSE(bar.TabStop());
    EXPECT_FALSE(Get<platform::TStaticText>("Value").TabStop());
}

TEST_F(Form, FocusChainFollowsTheTabPlacesOfEnabledButtonsAndFields) {
    using Chain = std::vector<std::string>;
    EXPECT_EQ(form.FocusChain(), (Chain{"ReadFile", "ReadPhone", "Exit", "Field"}));
    Get<platform::TButton>("ReadPhone").Disable();
    EXPECT_EQ(form.FocusChain(), (Chain{"ReadFile", "Exit", "Field"}));
}

TEST_F(Form, ShownWindowFocusesItsFirstTabStop) {
    form.Show();
    QWidget* window = Widget(form.Native());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(QApplication::focusWidget(), Widget(Get<platform::TButton>("ReadFile").Native()));
}

TEST_F(Form, TabKeyVisitsTheFocusChain) {
    Get<platform::TButton>("ReadPhone").Disable();
    form.Show();
    QWidget* window = Widget(form.Native());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    Widget(Get<platform::TButton>("ReadFile").Native())->setFocus(Qt::TabFocusReason);

    std::vector<std::string> visited;
    for (int i = 0; i < 4; ++i) {
        for (const auto& component : form.Components()) {
            auto* control = dynamic_cast<platform::TControl*>(component.get());
            if (control != nullptr && Widget(control->Native()) == QApplication::focusWidget()) {
                visited.push_back(control->Name());
            }
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"ReadFile", "Exit", "Field", "ReadFile"}));
}

// Keys pressed on the real window: a button's accelerator, Enter on the focused button.
struct KeyCase {
    const char* description;
    bool readFileEnabled;
    bool readPhoneEnabled;
    const char* focused;  // the control that has the focus before the key
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int readFileClicks;
    int readPhoneClicks;
    int exitClicks;
};

class KeyPress : public Form, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyPress, PressesTheButtonTheKeyStandsFor) {
    const KeyCase& c = GetParam();
    int readFile = 0;
    int readPhone = 0;
    int exit = 0;
    Get<platform::TButton>("ReadFile").SetOnClick([&](platform::TObject*) { ++readFile; });
    Get<platform::TButton>("ReadPhone").SetOnClick([&](platform::TObject*) { ++readPhone; });
    Get<platform::TButton>("Exit").SetOnClick([&](platform::TObject*) { ++exit; });
    if (!c.readFileEnabled) {
        Get<platform::TButton>("ReadFile").Disable();
    }
    if (!c.readPhoneEnabled) {
        Get<platform::TButton>("ReadPhone").Disable();
    }
    form.Show();
    QWidget* window = Widget(form.Native());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    Widget(static_cast<platform::TControl*>(form.FindComponent(c.focused))->Native())->setFocus();

    QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
    QTest::qWait(300);  // a key presses through an animated click
    EXPECT_EQ(readFile, c.readFileClicks) << c.description;
    EXPECT_EQ(readPhone, c.readPhoneClicks) << c.description;
    EXPECT_EQ(exit, c.exitClicks) << c.description;
}

INSTANTIATE_TEST_SUITE_P(
    AcceleratorsAndEnter, KeyPress,
    ::testing::Values(
        KeyCase{"R shared: the first in tab order", true, true, "Field", Qt::Key_R,
                Qt::AltModifier, 1, 0, 0},
        KeyCase{"R shared, pressed again: the same button", true, true, "ReadFile", Qt::Key_R,
                Qt::AltModifier, 1, 0, 0},
        KeyCase{"R with Read File disabled: Read Phone", false, true, "Field", Qt::Key_R,
                Qt::AltModifier, 0, 1, 0},
        KeyCase{"R with Read Phone disabled", true, false, "Field", Qt::Key_R, Qt::AltModifier,
                1, 0, 0},
        KeyCase{"R with both disabled: nothing", false, false, "Field", Qt::Key_R,
                Qt::AltModifier, 0, 0, 0},
        KeyCase{"E, unique", true, true, "Field", Qt::Key_E, Qt::AltModifier, 0, 0, 1},
        KeyCase{"Enter on a focused button", true, true, "ReadPhone", Qt::Key_Return,
                Qt::NoModifier, 0, 1, 0},
        KeyCase{"keypad Enter on a focused button", true, true, "Exit", Qt::Key_Enter,
                Qt::KeypadModifier, 0, 0, 1},
        KeyCase{"Enter in a field presses nothing: there is no default button", true, true,
                "Field", Qt::Key_Return, Qt::NoModifier, 0, 0, 0},
        KeyCase{"Escape presses nothing", true, true, "ReadFile", Qt::Key_Escape,
                Qt::NoModifier, 0, 0, 0}),
    [](const auto& info) {
        std::string name;
        for (const char* c = info.param.description; *c != '\0'; ++c) {
            if (std::isalnum(static_cast<unsigned char>(*c))) {
                name += *c;
            }
        }
        return name;
    });

}  // namespace
