#include "FixedText.h"

#include <algorithm>
#include <cstring>

namespace sim {

namespace {
constexpr char kFiller = '~';
}

void WriteFixedText(char* field, std::size_t capacity, std::string_view text, bool terminated) {
    if (capacity == 0) {
        return;
    }
    if (terminated) {
        const std::size_t length = std::min(text.size(), capacity - 1);
        std::memcpy(field, text.data(), length);
        std::memset(field + length, 0, capacity - length);
        return;
    }
    for (std::size_t i = 0; i < capacity; ++i) {
        const char c = i < text.size() ? text[i] : kFiller;
        field[i] = c == '\0' ? kFiller : c;
    }
}

}  // namespace sim
