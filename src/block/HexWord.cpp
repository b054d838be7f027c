#include "block/HexWord.h"

namespace block {
namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// 0-15 for a hex digit, -1 for anything else.
int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
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
        HexDigit(text[i + 2]) >= 0) {
        i += 2;
    }
    // Unsigned arithmetic, masked at each step: exactly the low 16 bits of any digit count.
    uint32_t word = 0;
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
        word = ((word << 4) | static_cast<uint32_t>(HexDigit(text[i]))) & 0xFFFFu;
    }
    if (negative) {
        word = (0x10000u - word) & 0xFFFFu;
    }
    return static_cast<uint16_t>(word);
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
