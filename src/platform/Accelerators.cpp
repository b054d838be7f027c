#include "platform/Accelerators.h"

namespace platform::detail {
namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

char AcceleratorLetter(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') {
            continue;
        }
        if (caption[i + 1] == '&') {
            ++i;  // a literal '&'
            continue;
        }
        return Upper(caption[i + 1]);
    }
    return 0;
}

std::optional<std::size_t> ButtonForAccelerator(char letter,
                                                std::span<const AcceleratorCandidate> buttons) {
    letter = Upper(letter);
    if (letter == 0) {
        return std::nullopt;
    }
    std::optional<std::size_t> chosen;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const AcceleratorCandidate& button = buttons[i];
        if (button.letter != letter || !button.enabled || !button.visible) {
            continue;
        }
        if (!chosen || button.tabOrder < buttons[*chosen].tabOrder) {
            chosen = i;
        }
    }
    return chosen;
}

}  // namespace platform::detail
