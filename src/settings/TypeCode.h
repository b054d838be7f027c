// Type codes of settings: what a code's letters (case-insensitive) make of a setting's text.
//
//   B...  boolean; 4 bytes when the second letter is I or L, else 1 byte
//   F...  double
//   S<n>  text held in an n-byte buffer with its terminator (S, S0: the empty text)
//   other integer; 4 bytes when the first letter is I or L, else 1 byte (the low 8 bits)
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <variant>

#include "settings/SettingConversions.h"

namespace settings {

enum class SettingKind { Integer32, Integer8, Boolean32, Boolean8, Double, Text };

struct TypeCode {
    SettingKind kind = SettingKind::Integer8;
    std::size_t textBufferBytes = 0;  // for Text only: n of S<n>
};

namespace detail {
constexpr bool IsFourByteLetter(std::string_view code, std::size_t at) {
    return at < code.size() && (ToUpperAscii(code[at]) == 'I' || ToUpperAscii(code[at]) == 'L');
}
}  // namespace detail

// constexpr so that a table of settings can check at compile time that each row's variable
// matches what its code stores.
constexpr TypeCode ParseTypeCode(std::string_view code) {
    const char first = code.empty() ? '\0' : ToUpperAscii(code[0]);
    switch (first) {
        case 'B':
            return {detail::IsFourByteLetter(code, 1) ? SettingKind::Boolean32
                                                      : SettingKind::Boolean8};
        case 'F':
            return {SettingKind::Double};
        case 'S': {
            // The buffer size is the decimal number after the S (as many digits as there are);
            // a number beyond size_t saturates, which cuts nothing.
            std::size_t bytes = 0;
            constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
            for (std::size_t i = 1; i < code.size() && code[i] >= '0' && code[i] <= '9'; ++i) {
                const auto digit = static_cast<std::size_t>(code[i] - '0');
                bytes = bytes > (kMax - digit) / 10 ? kMax : bytes * 10 + digit;
            }
            return {SettingKind::Text, bytes};
        }
        default:
            return {detail::IsFourByteLetter(code, 0) ? SettingKind::Integer32
                                                      : SettingKind::Integer8};
    }
}

// What a lookup stores. The alternative follows the kind: Integer32 and Boolean32 give int32_t,
// Integer8 and Boolean8 give uint8_t, Double gives double, Text gives std::string.
using SettingValue = std::variant<int32_t, uint8_t, double, std::string>;

// Converts a setting's text by its type code (see SettingConversions.h for each conversion).
SettingValue ConvertSetting(std::string_view text, std::string_view typeCode);

}  // namespace settings
