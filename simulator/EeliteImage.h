// The file that keeps block 67 across runs (scenario key eelite_image).
//
// A small text file, one `key=value` per line, `#` comments allowed:
//   size=20
//   version=1
//   block=<40 hex digits, first byte first>   or   block=erased
// All three keys are required. Saving is atomic: a temporary file in the same folder is written,
// flushed, synced and renamed over the image, so a reader sees the old image or the new one.
#pragma once

#include <optional>
#include <string>

#include "Scenario.h"

namespace sim {

struct StoredBlock {
    bool present = true;  // false: erased, nothing to read until the next write
    uint32_t size = servicelib::kCalibrationBlockSize;
    uint32_t version = servicelib::kCalibrationBlockVersion;
    BlockBytes bytes{};

    bool operator==(const StoredBlock&) const = default;
};

struct LoadedImage {
    bool exists = false;
    std::optional<StoredBlock> block;  // set when the file exists and is well formed
    std::string error;                 // names the file and what is wrong with it
};

LoadedImage LoadEeliteImage(const std::string& path);
// False when any step failed; the image is then unchanged and the temporary file removed.
bool SaveEeliteImage(const std::string& path, const StoredBlock& block);

}  // namespace sim
