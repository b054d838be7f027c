// Byte-level helpers for the UTF-8 texts that the controls hand out.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform::detail {

// The length of the longest prefix of `text` that has at most `maxBytes` bytes and does not end
// inside a UTF-8 sequence. Bytes that are not valid UTF-8 count as one character each.
std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes);

}  // namespace platform::detail
