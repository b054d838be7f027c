// Reading the start of a file, with the operating system's own calls. Thread: any.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace platform {

// Fills `buffer` from the start of the file at `path` (UTF-8; on Windows opened with the wide
// functions, so any name the file system holds works). Returns how many bytes were read: fewer
// than the buffer holds only when the file ends first. nullopt for an empty path, a file that is
// missing or cannot be opened for reading, a folder, a read error, and for what could keep the
// caller waiting for a writer forever (a FIFO or socket; a pipe on Windows). The rest of a longer
// file is not read.
std::optional<std::size_t> ReadFileStart(const std::string& path, std::span<std::uint8_t> buffer);

}  // namespace platform
