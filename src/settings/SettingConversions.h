// The conversions of a setting's text into the value it stands for. Plain functions of the text
// alone, independent of the process's locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace settings {

// Turns a-z into capitals and leaves every other character, whatever the locale.
constexpr char ToUpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The text read as a signed decimal integer the way strtol reads it (leading white space of the C
// locale, an optional sign, digits up to the first non-digit), saturated at the 32-bit limits
// whatever the host's long. When that gives 0, the same text is read again as hexadecimal the way
// strtol with base 16 reads it (an optional 0x or 0X prefix allowed), saturated the same way.
// A text with no number gives 0.
int32_t ConvertInteger(std::string_view text);

// True when the text, with its letters a-z turned into capitals, is exactly "YES", "ON" or "TRUE".
bool ConvertBoolean(std::string_view text);

// The leading decimal floating-point number of the text as strtod reads it in the C locale
// (leading white space skipped; 0 when there is none; out of range gives +-HUGE_VAL or 0).
double ConvertFloat(std::string_view text);

// The text as a buffer of `bufferBytes` bytes holds it with its terminating zero: cut to its first
// bufferBytes - 1 characters when it has bufferBytes or more. A buffer of 0 bytes holds the empty
// text.
std::string ConvertText(std::string_view text, std::size_t bufferBytes);

}  // namespace settings
