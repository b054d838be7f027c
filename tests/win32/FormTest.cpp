// The window built from its table on the Win32 backend: place and frame, places and sizes of the
// controls at the screen's resolution, fonts, colours, the tab chain, and the keyboard.
#include <gtest/gtest.h>

#include "SmallForm.h"
#include "Win32Test.h"
#include "platform/win32/Fonts.h"
#include "platform/win32/Palette.h"

namespace {

using platform::TRect;
using platform_test::SmallForm;
using win32_test::Scaled;
using win32_test::WindowOf;

class Form : public win32_test::ApplicationTest {
  protected:
    template <class T>
    T& Get(const char* name) {
        T* component = form.Find<T>(name);
        EXPECT_NE(component, nullptr) << name;
        return *component;
    }
    SmallForm form;
};

TEST_F(Form, ClientAreaAndOuterCornerAreThoseDesignedAtTheScreensResolution) {
    HWND window = WindowOf(form);
    EXPECT_EQ(form.Caption(), "Small Form");
    EXPECT_EQ(win32_test::TextOf(window), L"Small Form");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, Scaled(form, 553));
    EXPECT_EQ(client.bottom, Scaled(form, 505));
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, Scaled(form, 206));
    EXPECT_EQ(outer.top, Scaled(form, 111));
    EXPECT_EQ(form.BoundsRect(),
              (TRect{Scaled(form, 206), Scaled(form, 111), Scaled(form, 553), Scaled(form, 505)}));
    // The frame is exactly what the system adds to that client area for this kind of window.
    RECT expected{0, 0, Scaled(form, 553), Scaled(form, 505)};
    AdjustWindowRectEx(&expected, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    EXPECT_EQ(outer.right - outer.left, expected.right - expected.left);
    EXPECT_EQ(outer.bottom - outer.top, expected.bottom - expected.top);
}

TEST_F(Form, FixedSingleBorderWithSystemMenuCloseAndMinimiseOnly) {
    const LONG_PTR style = GetWindowLongPtrW(WindowOf(form), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(WindowOf(form), GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(exStyle & WS_EX_CONTEXTHELP, 0);
}

struct PlaceCase {
    const char* name;
    TRect designed;  // at 96 dots per inch
};

class ControlPlace : public Form, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(ControlPlace, TakesItsDesignedBoundsScaledToTheScreen) {
    const PlaceCase& c = GetParam();
    const TRect bounds = form.Find<platform::TControl>(c.name)->BoundsRect();
    EXPECT_EQ(bounds, (TRect{Scaled(form, c.designed.left), Scaled(form, c.designed.top),
                             Scaled(form, c.designed.width), Scaled(form, c.designed.height)}));
}

INSTANTIATE_TEST_SUITE_P(
    SizedControls, ControlPlace,
    ::testing::Values(PlaceCase{"Field", {56, 256, 49, 21}}, PlaceCase{"Exit", {464, 400, 75, 25}},
                      PlaceCase{"ReadFile", {464, 24, 75, 25}},
                      PlaceCase{"Bar", {16, 472, 521, 13}}));

TEST_F(Form, TextsStandAtTheirDesignedCorner) {
    EXPECT_EQ(Get<platform::TLabel>("Heading").BoundsRect().left, Scaled(form, 16));
    EXPECT_EQ(Get<platform::TLabel>("Heading").BoundsRect().top, Scaled(form, 24));
    EXPECT_EQ(Get<platform::TStaticText>("Value").BoundsRect().left, Scaled(form, 136));
    EXPECT_EQ(Get<platform::TStaticText>("Value").BoundsRect().top, Scaled(form, 48));
}

TEST_F(Form, EditFieldHasTheSunkenBorder) {
    HWND field = WindowOf(Get<platform::TEdit>("Field"));
    EXPECT_NE(GetWindowLongPtrW(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(GetWindowLongPtrW(WindowOf(Get<platform::TStaticText>("Value")), GWL_STYLE) &
                  WS_BORDER,
              0);
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

TEST_F(Form, FontsAreThoseOfTheTableAtTheScreensResolution) {
    // A height is the character height: a negative lfHeight.
    const LOGFONTW value = FontOf(WindowOf(Get<platform::TStaticText>("Value")));
    EXPECT_EQ(value.lfHeight, -Scaled(form, 12));
    EXPECT_STREQ(value.lfFaceName, L"Arial");
    EXPECT_EQ(value.lfWeight, FW_NORMAL);
    EXPECT_FALSE(value.lfItalic);

    // Without a font of its own a button has the window's: the system's default GUI face.
    const LOGFONTW button = FontOf(WindowOf(Get<platform::TButton>("Exit")));
    EXPECT_EQ(button.lfHeight, -Scaled(form, 11));
    EXPECT_EQ(std::wstring(button.lfFaceName), platform::win32::DefaultGuiFace());
    EXPECT_EQ(Get<platform::TButton>("Exit").Font().face, "");

    const platform::TFontSpec heading = Get<platform::TLabel>("Heading").Font();
    EXPECT_EQ(heading.face, "Arial");
    EXPECT_EQ(heading.height, 16);
    EXPECT_TRUE(heading.bold);
    EXPECT_TRUE(heading.italic);
    EXPECT_EQ(heading.color, platform::clBlack);
    LOGFONTW label{};
    GetObjectW(platform::win32::WidgetFrom(Get<platform::TLabel>("Heading").Native()).fontHandle,
               sizeof label, &label);
    EXPECT_EQ(label.lfHeight, -Scaled(form, 16));
    EXPECT_EQ(label.lfWeight, FW_BOLD);
    EXPECT_TRUE(label.lfItalic);
}

// The colours a control is painted in, as the form answers the control's own question.
struct Painted {
    COLORREF text;
    COLORREF background;
};

Painted ColoursOf(HWND form, HWND control, UINT message) {
    HDC dc = GetDC(control);
    SendMessageW(form, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    const Painted painted{GetTextColor(dc), GetBkColor(dc)};
    ReleaseDC(control, dc);
    return painted;
}

COLORREF ToColorRef(platform::TColor color) {
    return RGB(color.red, color.green, color.blue);
}

TEST_F(Form, FieldsAreWhiteAndTextsStandOnTheWindowsFace) {
    const platform::win32::Palette& palette = platform::win32::FormFrom(form.Native()).palette;
    const Painted field = ColoursOf(WindowOf(form), WindowOf(Get<platform::TEdit>("Field")),
                                    WM_CTLCOLOREDIT);
    EXPECT_EQ(field.background, RGB(255, 255, 255));
    EXPECT_EQ(field.text, ToColorRef(palette.fieldText));
    const Painted value = ColoursOf(WindowOf(form), WindowOf(Get<platform::TStaticText>("Value")),
                                    WM_CTLCOLORSTATIC);
    EXPECT_EQ(value.background, ToColorRef(palette.face));
    EXPECT_EQ(value.text, ToColorRef(palette.text));
    // Whatever the desktop, black on the face and the text on white stay readable.
    EXPECT_GE(platform::win32::ContrastRatio(platform::clBlack, palette.face), 7.0);
    EXPECT_GE(platform::win32::ContrastRatio(palette.fieldText, {255, 255, 255}), 7.0);
}

struct PaletteCase {
    const char* desktop;
    platform::TColor face;
    platform::TColor text;
    bool keepsTheDesktops;
};

class DesktopColours : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(DesktopColours, ReadableOnesAreKeptOthersGiveTheLightPalette) {
    const PaletteCase& c = GetParam();
    const platform::win32::Palette palette = platform::win32::ChoosePalette(c.face, c.text);
    const platform::win32::Palette expected =
        c.keepsTheDesktops ? platform::win32::Palette{c.face, c.text, {255, 255, 255}, c.text}
                           : platform::win32::kLightPalette;
    EXPECT_EQ(palette.face, expected.face) << c.desktop;
    EXPECT_EQ(palette.text, expected.text) << c.desktop;
    EXPECT_EQ(palette.field, (platform::TColor{255, 255, 255})) << c.desktop;
    EXPECT_EQ(palette.fieldText, expected.fieldText) << c.desktop;
}

INSTANTIATE_TEST_SUITE_P(
    Themes, DesktopColours,
    ::testing::Values(PaletteCase{"Windows 10", {240, 240, 240}, {0, 0, 0}, true},
                      PaletteCase{"classic", {212, 208, 200}, {0, 0, 0}, true},
                      PaletteCase{"dark blue text", {240, 240, 240}, {0, 0, 128}, true},
                      PaletteCase{"dark grey face", {64, 64, 64}, {255, 255, 255}, false},
                      PaletteCase{"high contrast black", {0, 0, 0}, {255, 255, 255}, false},
                      PaletteCase{"light grey text", {240, 240, 240}, {160, 160, 160}, false},
                      PaletteCase{"mid grey face", {128, 128, 128}, {0, 0, 0}, false}));

using Chain = std::vector<std::string>;

TEST_F(Form, FocusChainFollowsTheTabPlacesOfEnabledButtonsAndFields) {
    EXPECT_EQ(form.FocusChain(), (Chain{"ReadFile", "ReadPhone", "Exit", "Field"}));
    Get<platform::TButton>("ReadPhone").Disable();
    EXPECT_EQ(form.FocusChain(), (Chain{"ReadFile", "Exit", "Field"}));
    Get<platform::TButton>("Exit").Hide();
    EXPECT_EQ(form.FocusChain(), (Chain{"ReadFile", "Field"}));
}

TEST_F(Form, ShownWindowFocusesItsFirstTabStop) {
    form.Show();
    ASSERT_TRUE(win32_test::Activate(form));
    EXPECT_EQ(win32_test::FocusedName(form), "ReadFile");
}

TEST_F(Form, TabAndShiftTabVisitTheFocusChain) {
    Get<platform::TButton>("ReadPhone").Disable();
    form.Show();
    ASSERT_TRUE(win32_test::Activate(form));
    SetFocus(WindowOf(Get<platform::TButton>("ReadFile")));
    Chain visited{win32_test::FocusedName(form)};
    for (int i = 0; i < 3; ++i) {
        win32_test::Type({}, {VK_TAB});
        visited.push_back(win32_test::FocusedName(form));
    }
    EXPECT_EQ(visited, (Chain{"ReadFile", "Exit", "Field", "ReadFile"}));
    win32_test::Type({{VK_SHIFT}}, {VK_TAB});
    EXPECT_EQ(win32_test::FocusedName(form), "Field");
}

struct KeyCase {
    const char* description;
    const char* focused;            // the control that has the focus before the keys
    const char* disabled;           // a button disabled before, or nullptr
    std::vector<win32_test::Key> held;
    win32_test::Key key;
    const char* pressed;            // the one button pressed, or nullptr for none
};

class KeyRule : public Form, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyRule, PressesTheButtonTheRuleNames) {
    const KeyCase& c = GetParam();
    std::vector<std::string> pressed;
    for (const char* name : {"ReadFile", "ReadPhone", "Exit"}) {
        Get<platform::TButton>(name).SetOnClick(
            [&pressed, name](platform::TObject*) { pressed.emplace_back(name); });
    }
    if (c.disabled != nullptr) {
        Get<platform::TButton>(c.disabled).Disable();
    }
    form.Show();
    ASSERT_TRUE(win32_test::Activate(form));
    SetFocus(WindowOf(*form.Find<platform::TControl>(c.focused)));
    const std::string textBefore = Get<platform::TEdit>("Field").Text();
    if (c.held.size() == 1) {
        win32_test::Type({c.held[0]}, c.key);
    } else {
        win32_test::Type({}, c.key);
    }
    const std::vector<std::string> expected =
        c.pressed != nullptr ? std::vector<std::string>{c.pressed} : std::vector<std::string>{};
    EXPECT_EQ(pressed, expected) << c.description;
    // No key of these reaches the field as a character.
    EXPECT_EQ(Get<platform::TEdit>("Field").Text(), textBefore) << c.description;
}

INSTANTIATE_TEST_SUITE_P(
    EnterEscapeAndAccelerators, KeyRule,
    ::testing::Values(
        KeyCase{"Alt+R, shared by two enabled buttons: the first in tab order", "Field", nullptr,
                {{VK_MENU}}, {'R'}, "ReadFile"},
        KeyCase{"Alt+R with the first disabled: the next that carries it", "Field", "ReadFile",
                {{VK_MENU}}, {'R'}, "ReadPhone"},
        KeyCase{"Alt+E, unique", "Field", nullptr, {{VK_MENU}}, {'E'}, "Exit"},
        KeyCase{"R typed on a button is its accelerator", "Exit", nullptr, {}, {'R'}, "ReadFile"},
        KeyCase{"Enter on a focused button presses it", "ReadPhone", nullptr, {}, {VK_RETURN},
                "ReadPhone"},
        KeyCase{"keypad Enter on a focused button presses it", "Exit", nullptr, {},
                {VK_RETURN, true}, "Exit"},
        KeyCase{"Enter in a field presses nothing: no default button", "Field", nullptr, {},
                {VK_RETURN}, nullptr},
        KeyCase{"Escape presses nothing", "Exit", nullptr, {}, {VK_ESCAPE}, nullptr},
        KeyCase{"Alt+Q, no button carries it", "Field", nullptr, {{VK_MENU}}, {'Q'}, nullptr}));

TEST_F(Form, AcceleratorPressesAndFocusesTheButton) {
    int readFile = 0;
    Get<platform::TButton>("ReadFile").SetOnClick([&](platform::TObject*) { ++readFile; });
    form.Show();
    ASSERT_TRUE(win32_test::Activate(form));
    SetFocus(WindowOf(Get<platform::TEdit>("Field")));
    win32_test::Type({{VK_MENU}}, {'R'});
    win32_test::Type({{VK_MENU}}, {'R'});
    // Pressed each time, never only moved to the other button that shares R.
    EXPECT_EQ(readFile, 2);
    EXPECT_EQ(win32_test::FocusedName(form), "ReadFile");
}

TEST_F(Form, FocusComesBackAfterTheWindowWasDeactivated) {
    form.Show();
    ASSERT_TRUE(win32_test::Activate(form));
    SetFocus(WindowOf(Get<platform::TEdit>("Field")));
    SmallForm other;
    other.Show();
    ASSERT_TRUE(win32_test::Activate(other));
    ASSERT_TRUE(win32_test::Activate(form));
    EXPECT_EQ(win32_test::FocusedName(form), "Field");
}

}  // namespace
