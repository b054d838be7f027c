// Block files: the twenty bytes of the calibration block, nothing else, read and saved so that
// the user's file is never lost. The file calls are the platform's; any thread, one writer per
// target.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "block/CalibrationBlock.h"
#include "platform/FileSave.h"

namespace block {

// The first twenty bytes of the file at `path` (UTF-8); the rest of a longer file is ignored.
// nullopt for an empty path, a missing or unreadable file, a folder, a file of fewer than twenty
// bytes, or a FIFO, socket or pipe (whose reading could wait forever).
std::optional<BlockBytes> ReadBlockFile(const std::string& path);

// Saves one block to a file in two steps, so that a target that cannot be written is refused
// before anything is produced: Open checks the target and prepares; Commit writes the twenty
// bytes. The file that was there is never lost: platform::FileSaver (platform/FileSave.h) says
// how a file, a device and a refused target are treated on each operating system.
//
// Movable, not copyable. A writer destroyed without a Commit leaves the target as it was and no
// temporary file behind.
class BlockFileWriter {
  public:
    // nullopt, creating nothing, when the path is empty, names a folder or a dangling symlink,
    // lies in a missing folder, is an existing file that cannot be opened for writing, lies in a
    // folder where no file can be created, or is a FIFO without a reader.
    static std::optional<BlockFileWriter> Open(const std::string& path);

    // Writes the twenty bytes. false on any failed step; a replaced target is then left as it
    // was. Only a failed sync of the folder after the rename (POSIX) gives false with the new
    // contents already in place. One Commit per writer: later calls give false.
    bool Commit(const BlockBytes& bytes);

  private:
    explicit BlockFileWriter(platform::FileSaver saver) : saver_(std::move(saver)) {}

    platform::FileSaver saver_;
};

}  // namespace block
