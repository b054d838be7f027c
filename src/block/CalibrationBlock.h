// The twenty-byte calibration block: ten 16-bit words, word n at bytes 2n and 2n + 1, low byte
// first, with no header, length or checksum. The phone, the program and block files all hold these
// same bytes in the same order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace block {

inline constexpr std::size_t kBlockBytes = 20;
inline constexpr std::size_t kBlockWords = 10;
using BlockBytes = std::array<uint8_t, kBlockBytes>;

// Word n (0 to 9) of the block, composed byte by byte so the host's byte order never matters.
// Throws std::out_of_range for n >= kBlockWords.
uint16_t WordAt(const BlockBytes& bytes, std::size_t n);

// Stores word n (0 to 9): its low byte at 2n, its high byte at 2n + 1. Throws std::out_of_range
// for n >= kBlockWords, changing nothing.
void SetWordAt(BlockBytes& bytes, std::size_t n, uint16_t word);

}  // namespace block
