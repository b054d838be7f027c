// The calibration block's transfer with the phone: the library calls, their checks and the texts
// of each failure. The window shows the status and the message; this file decides.
#pragma once

#include <cstdint>

#include "block/CalibrationBlock.h"
#include "servicelib/ServiceLibrary.h"

namespace block {

// In the order in which an operation meets them; the first one ends it.
enum class TransferFailure { None, VersionRead, Size, Version, BlockRead, Erase, Write };

struct FailureTexts {
    const char* runLogLine;  // ends with a line feed
    const char* message;     // begins with "Error: "
};
FailureTexts DescribeFailure(TransferFailure failure);

// Asks the phone for the block's size and version into `size` and `version`, and accepts only 20
// and 1. Thread: whichever thread owns the library at the time (the user-interface thread).
TransferFailure CheckBlockInfo(const servicelib::LibraryEntryPoints& lib, int32_t comHandle,
                               uint32_t& size, uint32_t& version);
// Reads the block; `block` changes only when the read succeeds.
TransferFailure ReadBlock(const servicelib::LibraryEntryPoints& lib, int32_t comHandle,
                          uint32_t& size, uint32_t& version, BlockBytes& block);
// Erases the block on the phone, then writes it anew with the size and version given.
TransferFailure EraseAndWriteBlock(const servicelib::LibraryEntryPoints& lib, int32_t comHandle,
                                   uint32_t size, uint32_t version, const BlockBytes& block);

}  // namespace block
