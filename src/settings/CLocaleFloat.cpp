#include "settings/CLocaleFloat.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "rules/CLocaleChars.h"

namespace settings {
namespace {

using rules::DigitValue;
using rules::IsCSpace;

bool IsHexDigit(char c) {
    return DigitValue(c) < 16;
}

// Whether a number that from_chars found out of range is too large (not too small) for a double.
// `number` is the text it read, without sign or "0x" prefix. The result is out of range only far
// from 1 (beyond 1e308 or below 1e-324), so the sign of the leading digit's exponent decides.
bool TooLarge(std::string_view number, bool hex) {
    const char exponentLetter = hex ? 'p' : 'e';
    std::size_t i = 0;
    int64_t integerDigits = 0;  // digits before the point, from the first non-zero one
    int64_t fractionZeros = 0;  // zeros after the point before the first non-zero digit
    bool nonZero = false;
    for (; i < number.size() && number[i] != '.' &&
           (hex ? IsHexDigit(number[i]) : DigitValue(number[i]) < 10);
         ++i) {
        nonZero = nonZero || number[i] != '0';
        integerDigits += nonZero ? 1 : 0;
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && (hex ? IsHexDigit(number[i]) : DigitValue(number[i]) < 10);
             ++i) {
            if (!nonZero && number[i] == '0') {
                ++fractionZeros;
            } else {
                nonZero = true;
            }
        }
    }
    int64_t exponent = 0;
    if (i < number.size() && (number[i] | 0x20) == exponentLetter) {
        ++i;
        bool negative = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
            negative = number[i] == '-';
            ++i;
        }
        for (; i < number.size() && DigitValue(number[i]) < 10; ++i) {
            if (exponent < 1'000'000'000) {
                exponent = exponent * 10 + DigitValue(number[i]);
            }
        }
        exponent = negative ? -exponent : exponent;
    }
    const int64_t digitBits = hex ? 4 : 1;  // a hex digit is four powers of two
    const int64_t leading = integerDigits > 0 ? integerDigits : -fractionZeros;
    return leading * digitBits + exponent > 0;
}

}  // namespace

double ReadCLocaleFloat(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string_view number = text.substr(i);
    // from_chars takes a '-' of its own, which strtod would not after the sign read above.
    if (number.empty() || number[0] == '+' || number[0] == '-') {
        return 0.0;
    }
    const double zero = negative ? -0.0 : 0.0;
    bool hex = false;
    if (number.size() >= 2 && number[0] == '0' && (number[1] | 0x20) == 'x') {
        // "0x" counts only when a hex digit or a point follows; otherwise the "0" is the number.
        if (number.size() == 2 || !(IsHexDigit(number[2]) || number[2] == '.')) {
            return zero;
        }
        number.remove_prefix(2);
        hex = true;
    }
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value,
                        hex ? std::chars_format::hex : std::chars_format::general);
    if (error == std::errc::invalid_argument) {
        return hex ? zero : 0.0;  // "0x." still read its "0"
    }
    if (error == std::errc::result_out_of_range) {
        const std::string_view read =
            number.substr(0, static_cast<std::size_t>(end - number.data()));
        value = TooLarge(read, hex) ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace settings
