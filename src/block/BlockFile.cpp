#include "block/BlockFile.h"

#include "platform/FileRead.h"

namespace block {

std::optional<BlockBytes> ReadBlockFile(const std::string& path) {
    BlockBytes bytes{};
    const std::optional<std::size_t> got = platform::ReadFileStart(path, bytes);
    if (!got || *got != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace block
