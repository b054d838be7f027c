// Block 67 of the phone's EELITE store, kept while the library is loaded (across the phone going
// away and coming back) and, with an image file, across runs.
//
// Owned by the Library and used under its state mutex only.
#pragma once

#include <string>

#include "EeliteImage.h"

namespace sim {

class BlockStore {
  public:
    // The block as the scenario describes it; `imagePath` empty means no persistence.
    void Reset(const Scenario& scenario);
    // Replaces the block by the image file's when the file exists. False, with `error` set, when
    // it exists and cannot be understood; the block is then unchanged.
    bool LoadImage(std::string& error);

    const StoredBlock& Block() const { return block_; }
    // Stores 20 bytes with their size and version; false when the image could not be saved, and
    // the block is then unchanged.
    bool Write(uint32_t size, uint32_t version, const BlockBytes& bytes);
    // Erases the block; false (and unchanged) when the image could not be saved.
    bool Erase();

  private:
    bool Commit(const StoredBlock& next);

    StoredBlock block_;
    std::string imagePath_;
};

}  // namespace sim
