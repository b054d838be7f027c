#include "Values.h"

#include <cstdlib>
#include <limits>
#include <string>

namespace sim {

namespace {

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

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::optional<uint64_t> ParseUnsigned(std::string_view text, uint64_t max) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0 || digit >= base) {
            return std::nullopt;
        }
        if (value > (max - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base)) {
            return std::nullopt;
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    return value;
}

std::optional<int32_t> ParseInt32(std::string_view text) {
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    constexpr uint64_t kMagnitudeMax = uint64_t{std::numeric_limits<int32_t>::max()} + 1;
    const auto magnitude = ParseUnsigned(text, kMagnitudeMax);
    if (!magnitude || (!negative && *magnitude == kMagnitudeMax)) {
        return std::nullopt;
    }
    const int64_t value = static_cast<int64_t>(*magnitude);
    return static_cast<int32_t>(negative ? -value : value);
}

std::optional<double> ParseDouble(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const std::string copy(text);  // strtod needs a terminated text
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size()) {
        return std::nullopt;
    }
    return value;  // overflow gives +-inf, which a scenario may ask for anyway
}

std::optional<bool> ParseFlag(std::string_view text) {
    if (text == "0") {
        return false;
    }
    if (text == "1") {
        return true;
    }
    return std::nullopt;
}

std::optional<BlockBytes> ParseBlockHex(std::string_view text) {
    BlockBytes bytes{};
    if (text.size() != bytes.size() * 2) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = HexDigit(text[2 * i]);
        const int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return bytes;
}

std::optional<CountOrWord> ParseCountOr(std::string_view text, std::string_view word) {
    if (text == word) {
        return CountOrWord{std::nullopt};
    }
    const auto count = ParseUnsigned(text, std::numeric_limits<uint32_t>::max());
    if (!count) {
        return std::nullopt;
    }
    return CountOrWord{static_cast<uint32_t>(*count)};
}

}  // namespace sim
