#include "settings/SettingConversions.h"

#if !defined(_WIN32)
#include <locale.h>
#endif
#include <clocale>
#include <cstdlib>
#include <limits>

#include "rules/CLocaleChars.h"
#include "settings/CLocaleFloat.h"

namespace settings {
namespace {

using rules::DigitValue;
using rules::IsCSpace;

// strtol's reading for base 10 or 16, saturated at the 32-bit limits. The magnitude is held in 64
// bits and stops growing past 2^32, which is beyond both limits, so no digit count overflows.
int32_t ParseSaturated(std::string_view text, int base) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // A 0x prefix counts only when a hex digit follows it; otherwise the "0" alone is the number.
    if (base == 16 && i + 2 < text.size() && text[i] == '0' &&
        (text[i + 1] == 'x' || text[i + 1] == 'X') && DigitValue(text[i + 2]) < 16) {
        i += 2;
    }
    constexpr uint64_t kCeiling = uint64_t{1} << 32;
    uint64_t magnitude = 0;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
        magnitude =
            magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(text[i]));
        if (magnitude > kCeiling) {
            magnitude = kCeiling;
        }
    }
    constexpr uint64_t kMaxPositive = std::numeric_limits<int32_t>::max();
    constexpr uint64_t kMaxNegative = kMaxPositive + 1;
    if (negative) {
        if (magnitude >= kMaxNegative) {
            return std::numeric_limits<int32_t>::min();
        }
        return -static_cast<int32_t>(magnitude);
    }
    if (magnitude >= kMaxPositive) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(magnitude);
}

bool EqualsUpper(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (ToUpperAscii(text[i]) != word[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

int32_t ConvertInteger(std::string_view text) {
    const int32_t decimal = ParseSaturated(text, 10);
    return decimal != 0 ? decimal : ParseSaturated(text, 16);
}

bool ConvertBoolean(std::string_view text) {
    return EqualsUpper(text, "YES") || EqualsUpper(text, "ON") || EqualsUpper(text, "TRUE");
}

double ConvertFloat(std::string_view text) {
#if defined(_WIN32)
    // The Windows C library has no strtod of the C locale that reads what glibc reads ("inf",
    // hexadecimal numbers): the reader of our own gives the same results.
    return ReadCLocaleFloat(text);
#else
    // strtod follows LC_NUMERIC, which a widget library may change; the settings file is not
    // locale-dependent, so read it in a C locale of our own, created once and never freed.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    const std::string terminated(text);  // strtod needs the terminator a string_view lacks
    if (cLocale == static_cast<locale_t>(0)) {
        return std::strtod(terminated.c_str(), nullptr);
    }
    return strtod_l(terminated.c_str(), nullptr, cLocale);
#endif
}

std::string ConvertText(std::string_view text, std::size_t bufferBytes) {
    if (bufferBytes == 0) {
        return {};
    }
    return std::string(text.substr(0, bufferBytes - 1));
}

}  // namespace settings
