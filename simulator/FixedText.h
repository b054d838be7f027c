// Writing a text into a fixed-size field that the caller owns.
#pragma once

#include <cstddef>
#include <string_view>

namespace sim {

// Terminated: at most capacity-1 characters, then zeros up to `capacity`.
// Unterminated (a misbehaving library, for tests of the caller): all `capacity` bytes non-zero,
// the text first and a filler after it; a zero inside the text is replaced by the filler too.
void WriteFixedText(char* field, std::size_t capacity, std::string_view text, bool terminated);

}  // namespace sim
