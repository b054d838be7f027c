// Which button an accelerator key presses. The same rule on every backend.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace platform::detail {

// The accelerator letter that '&' marks in a caption, upper-cased ("&Read File" gives 'R'; "&&" is
// a literal '&'); 0 when the caption marks none.
char AcceleratorLetter(std::string_view caption);

// A button of the form as a press of its accelerator sees it.
struct AcceleratorCandidate {
    int tabOrder;
    char letter;  // as AcceleratorLetter gives it
    bool enabled;
    bool visible;
};

// The button that Alt+`letter` presses: the first enabled, visible button in tab order whose
// caption carries the letter (of either case), so that two buttons sharing a letter never leave
// the key doing nothing. The index into `buttons`; nothing when no button can take it.
std::optional<std::size_t> ButtonForAccelerator(char letter,
                                                std::span<const AcceleratorCandidate> buttons);

}  // namespace platform::detail
