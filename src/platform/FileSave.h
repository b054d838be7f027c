// Saving a few bytes to a file so that the file that was there is never lost: a temporary file
// beside the target is filled, made durable and then put in the target's place in one step.
//
// Saving is done in two steps, so that a target that cannot be written is refused before anything
// is produced: Open checks the target and prepares; Commit writes.
//
// POSIX: a regular file (or a name that does not exist yet) is never written in place. Open
// creates a temporary file beside it; Commit fills it, syncs it and renames it over the target,
// then syncs the folder. An existing file keeps its permission bits (rwx bits only; the owner
// becomes the caller), a new one gets 0666 less the umask. A symlink is resolved first, so the
// file it points to is replaced and the link stays. Renaming gives the target a new inode: other
// hard links to it keep the old contents.
//
// Windows: the path is UTF-8 and is opened with the wide functions. Commit fills the temporary
// file, flushes it to the disk (FlushFileBuffers) and moves it over the target with
// MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). The new file takes the
// folder's inherited security, not the old file's. A symbolic link is resolved first, as on POSIX.
//
// Any other existing target (a device such as /dev/null, NUL or COM1, a FIFO with a reader, a
// pipe) is written in place, never renamed over, and every failed write or close is reported.
//
// Movable, not copyable. A saver destroyed without a Commit removes its temporary file and leaves
// the target as it was. Thread: any; one saver per target at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace platform {

class FileSaver {
  public:
    // nullopt, creating nothing, when the path is empty or not valid UTF-8 (Windows), names a
    // folder or a dangling symlink, lies in a missing folder, is an existing file that cannot be
    // opened for writing (read-only: its permission bits on POSIX, its read-only attribute on
    // Windows), lies in a folder where no file can be created, or is a FIFO without a reader.
    static std::optional<FileSaver> Open(const std::string& path);

    // Writes the bytes. false on any failed step; the temporary file is then removed and a
    // replaced target is left as it was. Only a failed sync of the folder after the rename
    // (POSIX) gives false with the new contents already in place (they may not survive a crash).
    // One Commit per saver: later calls give false.
    bool Commit(std::span<const std::uint8_t> bytes);

    FileSaver(FileSaver&& other) noexcept;
    FileSaver& operator=(FileSaver&& other) noexcept;
    FileSaver(const FileSaver&) = delete;
    FileSaver& operator=(const FileSaver&) = delete;
    ~FileSaver();

  private:
    struct State;  // the open file and the paths; one definition per operating system
    explicit FileSaver(std::unique_ptr<State> state);

    std::unique_ptr<State> state_;  // null once moved from
};

}  // namespace platform
