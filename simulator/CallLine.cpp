#include "CallLine.h"

#include <cstdio>
#include <cstring>

namespace sim {

std::string QuotedText(const char* text) {
    if (text == nullptr) {
        return "null";
    }
    const std::size_t length = strnlen(text, kQuotedTextMax + 1);
    std::string quoted = "\"";
    for (std::size_t i = 0; i < length && i < kQuotedTextMax; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            quoted += escaped;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    quoted += length > kQuotedTextMax ? "\"..." : "\"";
    return quoted;
}

}  // namespace sim
