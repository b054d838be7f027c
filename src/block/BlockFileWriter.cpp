#include "block/BlockFile.h"

namespace block {

std::optional<BlockFileWriter> BlockFileWriter::Open(const std::string& path) {
    std::optional<platform::FileSaver> saver = platform::FileSaver::Open(path);
    if (!saver) {
        return std::nullopt;
    }
    return BlockFileWriter(std::move(*saver));
}

bool BlockFileWriter::Commit(const BlockBytes& bytes) {
    return saver_.Commit(bytes);
}

}  // namespace block
