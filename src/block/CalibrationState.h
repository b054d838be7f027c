// The process's copy of the calibration block and the cells the library fills for it.
//
// Thread: user-interface thread only (the worker reaches them only through a synchronised call).
#pragma once

#include <cstdint>

#include "block/CalibrationBlock.h"

namespace block {

// Block 67 of the phone's EELITE store: word n at bytes 2n and 2n + 1, low byte first. Filled from
// the editor fields before every send or save; shown in them after every successful receive.
extern BlockBytes CalibrationBlock;
inline constexpr int32_t CalibrationBlockId = 67;
// The block's size and version as the phone last reported them.
extern uint32_t BlockSize;
extern uint32_t BlockVersion;

}  // namespace block
