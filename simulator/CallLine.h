// The text of one journal or trace line:
//   <steady-clock ms> <EntryPoint> <argument>... -> <result>
// Integers in decimal, a `const char*` argument as a quoted text (bounded, escaped), any other
// address as `ptr` or `null`: output buffers are never read, since nothing may have written them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "EntryPoints.h"

namespace sim {

// At most this many characters of a text argument are shown.
inline constexpr std::size_t kQuotedTextMax = 256;

std::string QuotedText(const char* text);

template <typename T>
std::string ArgumentText(T value) {
    if constexpr (std::is_same_v<T, const char*>) {
        return QuotedText(value);
    } else if constexpr (std::is_pointer_v<T>) {
        return value != nullptr ? "ptr" : "null";
    } else {
        static_assert(std::is_integral_v<T>, "arguments are integers or addresses");
        return std::to_string(value);
    }
}

// `timeMs name a1 a2 ... -> result`
template <typename Result, typename... Args>
std::string CallLine(int64_t timeMs, EntryPoint entryPoint, Result result, const Args&... args) {
    std::string line = std::to_string(timeMs);
    line += ' ';
    line += NameOf(entryPoint);
    ((line += ' ', line += ArgumentText(args)), ...);
    line += " -> ";
    line += ArgumentText(result);
    return line;
}

}  // namespace sim
