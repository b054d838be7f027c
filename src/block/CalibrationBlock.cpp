#include "block/CalibrationBlock.h"

#include <stdexcept>

namespace block {
namespace {

void CheckWordIndex(std::size_t n) {
    if (n >= kBlockWords) {
        throw std::out_of_range("calibration block word index out of range");
    }
}

}  // namespace

uint16_t WordAt(const BlockBytes& bytes, std::size_t n) {
    CheckWordIndex(n);
    return static_cast<uint16_t>(bytes[2 * n] | (bytes[2 * n + 1] << 8));
}

void SetWordAt(BlockBytes& bytes, std::size_t n, uint16_t word) {
    CheckWordIndex(n);
    bytes[2 * n] = static_cast<uint8_t>(word & 0xFFu);
    bytes[2 * n + 1] = static_cast<uint8_t>(word >> 8);
}

}  // namespace block
