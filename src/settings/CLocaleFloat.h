// Reading a floating-point number exactly as strtod does in the "C" locale, with no help from the
// C library's locale machinery: the same results on every platform and whatever locale the
// process runs in.
#pragma once

#include <string_view>

namespace settings {

// The leading floating-point number of the text, as strtod reads it in the "C" locale: leading
// white space skipped, an optional sign, then a decimal number with an optional exponent, a
// hexadecimal one after "0x" or "0X" (an optional "p" exponent), "inf", "infinity" or "nan" with
// an optional "(chars)", in any case. 0 when there is no number; out of range gives +-HUGE_VAL or
// +-0. A NaN's payload bits are not part of the result.
double ReadCLocaleFloat(std::string_view text);

}  // namespace settings
