// Strict conversions of scenario and image-file values. Each accepts the whole text or nothing:
// trailing characters, signs where none belong and out-of-range numbers give nullopt.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "Scenario.h"

namespace sim {

// Decimal, or hexadecimal with a 0x prefix; at most `max`.
std::optional<uint64_t> ParseUnsigned(std::string_view text, uint64_t max);
// Decimal, or hexadecimal with a 0x prefix, optionally negative; within int32_t.
std::optional<int32_t> ParseInt32(std::string_view text);
// Anything strtod reads, including "nan", "inf" and "-inf".
std::optional<double> ParseDouble(std::string_view text);
// "0" or "1".
std::optional<bool> ParseFlag(std::string_view text);
// Exactly 40 hexadecimal digits, two per byte, first byte first.
std::optional<BlockBytes> ParseBlockHex(std::string_view text);

// A count, or the word that stands for "no limit" (nullopt inside the result).
struct CountOrWord {
    std::optional<uint32_t> count;
};
std::optional<CountOrWord> ParseCountOr(std::string_view text, std::string_view word);

// Without blanks and tabs at either end.
std::string_view Trim(std::string_view text);

}  // namespace sim
