// Block files: the twenty bytes of the calibration block, nothing else, read and saved so that
// the user's file is never lost. Plain POSIX file calls; any thread, one writer per target.
#pragma once

#include <optional>
#include <string>

#include "block/CalibrationBlock.h"

namespace block {

// The first twenty bytes of the file at `path`; the rest of a longer file is ignored. nullopt for
// an empty path, a missing or unreadable file, a folder, a file of fewer than twenty bytes, or a
// FIFO or socket (whose reading could wait forever).
std::optional<BlockBytes> ReadBlockFile(const std::string& path);

// Saves one block to a file in two steps, so that a target that cannot be written is refused
// before anything is produced: Open checks the target and prepares; Commit writes.
//
// A regular file (or a name that does not exist yet) is never written in place: Open creates a
// temporary file beside it, Commit fills, syncs and renames it over the target, then syncs the
// folder. An existing file keeps its permission bits (rwx bits only; the owner becomes the
// caller), a new one gets 0666 less the umask. A symlink is resolved first, so the file it points
// to is replaced and the link stays. Renaming gives the target a new inode: other hard links to
// it keep the old contents.
//
// Any other existing target (a device, a FIFO with a reader) is written in place, never renamed
// over, and every failed write or close is reported.
//
// Movable, not copyable. A writer destroyed without a Commit removes its temporary file and
// leaves the target as it was.
class BlockFileWriter {
  public:
    // nullopt, creating nothing, when the path is empty, names a folder or a dangling symlink,
    // lies in a missing folder, is an existing file that cannot be opened for writing, lies in a
    // folder where no file can be created, or is a FIFO without a reader.
    static std::optional<BlockFileWriter> Open(const std::string& path);

    // Writes the twenty bytes. false on any failed step; the temporary file is then removed and a
    // replaced target is left as it was. Only a failed sync of the folder after the rename gives
    // false with the new contents already in place (they may not survive a crash). One Commit per
    // writer: later calls give false.
    bool Commit(const BlockBytes& bytes);

    BlockFileWriter(BlockFileWriter&& other) noexcept;
    BlockFileWriter& operator=(BlockFileWriter&& other) noexcept;
    BlockFileWriter(const BlockFileWriter&) = delete;
    BlockFileWriter& operator=(const BlockFileWriter&) = delete;
    ~BlockFileWriter();

  private:
    enum class Mode { ReplaceFile, WriteInPlace };
    BlockFileWriter(Mode mode, int fd, std::string targetPath, std::string tempPath,
                    std::string folderPath);
    bool CommitReplace(const BlockBytes& bytes);
    bool CommitInPlace(const BlockBytes& bytes);
    void Discard() noexcept;

    Mode mode_;
    int fd_;                  // owned; -1 once closed
    std::string targetPath_;  // resolved target
    std::string tempPath_;    // owned temporary file; empty when there is none (in place, done)
    std::string folderPath_;  // folder of the target, synced after the rename
};

}  // namespace block
