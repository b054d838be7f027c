// Fuzzes block file reading: the input is the file's contents; the result must be its first
// twenty bytes exactly when it has twenty or more.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "block/BlockFile.h"

namespace {

// One in-memory file per process (a memfd, so the fuzzer's speed is not the disk's), reached by
// ReadBlockFile through its /proc path like any other file. Returns its descriptor.
int ScratchFile() {
    static const int fd = ::memfd_create("fuzz_blockfile", MFD_CLOEXEC);
    FUZZ_CHECK(fd >= 0);
    return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int fd = ScratchFile();
    FUZZ_CHECK(::ftruncate(fd, 0) == 0);
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::pwrite(fd, data + written, size - written, static_cast<off_t>(written));
        FUZZ_CHECK(n > 0);
        written += static_cast<std::size_t>(n);
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    const std::optional<block::BlockBytes> block = block::ReadBlockFile(path);
    FUZZ_CHECK(block.has_value() == (size >= block::kBlockBytes));
    if (block) {
        for (std::size_t i = 0; i < block::kBlockBytes; ++i) {
            FUZZ_CHECK((*block)[i] == data[i]);
        }
    }
    return 0;
}
