#include "block/HexWord.h"

#include "rules/CLocaleChars.h"

namespace block {
namespace {

using rules::DigitValue;
using rules::IsCSpace;

// A hexadecimal digit, of either case.
bool IsHexDigit(char c) {
    return DigitValue(c) < 16;
}

}  // namespace

uint16_t HexTextToWord(std::string_view text) {
    text = text.substr(0, kWordTextMax);
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        IsHexDigit(text[i + 2])) {
        i += 2;
    }
    // Unsigned arithmetic, masked at each step: exactly the low 16 bits of any digit count.
    uint32_t word = 0;
    for (; i < text.size() && IsHexDigit(text[i]); ++i) {
        word = ((word << 4) | static_cast<uint32_t>(DigitValue(text[i]))) & 0xFFFFu;
    }
    if (negative) {
        word = (0x10000u - word) & 0xFFFFu;
    }
    return static_cast<uint16_t>(word);
}

bool IsCleanHexWord(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        i += 2;
    }
    const std::size_t firstDigit = i;
    while (i < text.size() && IsHexDigit(text[i])) {
        ++i;
    }
    const std::size_t digits = i - firstDigit;
    // The conversion sees only the first kWordTextMax characters: a digit beyond them would be
    // lost, and the word written would not be the one typed.
    const bool digitsSeen = i <= kWordTextMax;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    return digits >= 1 && digits <= 4 && digitsSeen && i == text.size();
}

std::string WordToHexText(uint16_t word) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    unsigned rest = word;
    do {
        text.insert(text.begin(), kDigits[rest & 0xFu]);
        rest >>= 4;
    } while (rest != 0);
    return text;
}

}  // namespace block
