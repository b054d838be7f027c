// Character classes as the C library reads numbers in the "C" locale, whatever locale the process
// runs in (the toolkit may change it): the number readers of settings and editor fields share them.
#pragma once

namespace rules {

// White space as isspace() sees it in the "C" locale.
constexpr bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of a digit in bases up to 36 (0-9, then a-z or A-Z as 10-35); 99 for anything else,
// which is not a digit in any base.
constexpr int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    return 99;
}

}  // namespace rules
