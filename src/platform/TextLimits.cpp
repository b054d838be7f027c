#include "platform/TextLimits.h"

namespace platform::detail {
namespace {

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The number of bytes of the sequence a lead byte announces; 1 for anything that is no lead.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    return 1;
}

}  // namespace

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
    std::size_t length = 0;
    while (length < text.size()) {
        std::size_t sequence = SequenceLength(static_cast<unsigned char>(text[length]));
        // A truncated or malformed sequence: its lead byte stands alone.
        for (std::size_t i = 1; i < sequence; ++i) {
            if (length + i >= text.size() ||
                !IsContinuationByte(static_cast<unsigned char>(text[length + i]))) {
                sequence = 1;
                break;
            }
        }
        if (length + sequence > maxBytes) {
            break;
        }
        length += sequence;
    }
    return length;
}

}  // namespace platform::detail
