// Finds the value of one key in one section of an open settings file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// Characters one read takes at most, line feed included (a 1024-byte buffer with its terminator).
inline constexpr std::size_t kLinePieceSize = 1023;

// Reads the next piece of the file: characters up to and including the next line feed, but no
// more than `pieceSize` of them (a `pieceSize` below 1 counts as 1). A carriage return directly
// before a line feed is dropped, as a text-mode stream on Windows does; any other carriage return
// stays. nullopt at the end of the file or on a read error, when nothing was read.
std::optional<std::string> ReadLinePiece(std::FILE* file, std::size_t pieceSize);

// Scans `file` from its current position to its end, piece by piece, each piece taken as a line
// of its own (text after a zero byte in a piece is not seen). Comment lines are skipped; only the
// first header naming `section` opens the section, and the next header after it ends the scan.
// Inside the section the first key line whose key equals `key` ends the scan with its value; an
// empty or missing value there gives nullopt. The caller keeps ownership of `file`.
std::optional<std::string> FindSettingValue(std::FILE* file, std::string_view section,
                                            std::string_view key,
                                            std::size_t pieceSize = kLinePieceSize);

}  // namespace settings
