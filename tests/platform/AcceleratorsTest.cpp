#include "platform/Accelerators.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using platform::detail::AcceleratorCandidate;
using platform::detail::AcceleratorLetter;
using platform::detail::ButtonForAccelerator;

TEST(Accelerators, TheLetterIsTheOneAfterASingleAmpersand) {
    EXPECT_EQ(AcceleratorLetter("&Read File"), 'R');
    EXPECT_EQ(AcceleratorLetter("E&xit"), 'X');
    EXPECT_EQ(AcceleratorLetter("&write"), 'W');
    EXPECT_EQ(AcceleratorLetter("Salt && &Pepper"), 'P');
    EXPECT_EQ(AcceleratorLetter("No accelerator"), 0);
    EXPECT_EQ(AcceleratorLetter("Trailing &"), 0);
    EXPECT_EQ(AcceleratorLetter(""), 0);
}

TEST(Accelerators, TheFirstEnabledVisibleButtonInTabOrderTakesTheKey) {
    // The five buttons of the main window, listed out of tab order as the component table is.
    const std::vector<AcceleratorCandidate> all = {
        {2, 'R', true, true},  // Read Phone
        {4, 'E', true, true},  // Exit
        {3, 'W', true, true},  // Write Phone
        {1, 'W', true, true},  // Write File
        {0, 'R', true, true},  // Read File
    };
    struct Case {
        const char* description;
        char letter;
        std::vector<AcceleratorCandidate> buttons;
        std::optional<std::size_t> pressed;
    };
    auto with = [&](std::size_t index, bool enabled, bool visible) {
        std::vector<AcceleratorCandidate> buttons = all;
        buttons[index].enabled = enabled;
        buttons[index].visible = visible;
        return buttons;
    };
    const Case cases[] = {
        {"R shared by two enabled buttons: Read File", 'R', all, 4},
        {"lower case letter", 'r', all, 4},
        {"W shared: Write File", 'W', all, 3},
        {"Read File disabled: Read Phone", 'R', with(4, false, true), 0},
        {"Read File hidden: Read Phone", 'R', with(4, true, false), 0},
        {"unique letter", 'E', all, 1},
        {"nobody carries it", 'Q', all, std::nullopt},
        {"no letter", 0, all, std::nullopt},
        {"its only button disabled", 'E', with(1, false, true), std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ButtonForAccelerator(c.letter, c.buttons), c.pressed) << c.description;
    }
}

}  // namespace
