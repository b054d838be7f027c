#include "BlockStore.h"

namespace sim {

void BlockStore::Reset(const Scenario& scenario) {
    block_ = StoredBlock{scenario.blockPresent, scenario.blockSize, scenario.blockVersion,
                         scenario.block};
    imagePath_ = scenario.eeliteImage;
}

bool BlockStore::LoadImage(std::string& error) {
    if (imagePath_.empty()) {
        return true;
    }
    const LoadedImage image = LoadEeliteImage(imagePath_);
    if (!image.exists) {
        return true;
    }
    if (!image.block) {
        error = image.error;
        return false;
    }
    block_ = *image.block;
    return true;
}

bool BlockStore::Write(uint32_t size, uint32_t version, const BlockBytes& bytes) {
    return Commit(StoredBlock{true, size, version, bytes});
}

bool BlockStore::Erase() {
    StoredBlock erased = block_;
    erased.present = false;
    return Commit(erased);
}

// The image is saved before the block changes in memory, so a failed save leaves both as they
// were and the caller can report the failure honestly.
bool BlockStore::Commit(const StoredBlock& next) {
    if (!imagePath_.empty() && !SaveEeliteImage(imagePath_, next)) {
        return false;
    }
    block_ = next;
    return true;
}

}  // namespace sim
