// Fuzzes block file reading: the input is the file's contents; the result must be its first
// twenty bytes exactly when it has twenty or more.
#if defined(_WIN32)
#include <filesystem>
#include <fstream>
#include <random>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "block/BlockFile.h"

namespace {

#if defined(_WIN32)
// One scratch file per process in the temporary folder (the corpus replays run here, not the
// fuzzer), rewritten for each input and removed at exit. Returns its path.
std::string WriteScratchFile(const uint8_t* data, size_t size) {
    struct Scratch {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("fuzz_blockfile-" + std::to_string(std::random_device{}()));
        ~Scratch() {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
    };
    static const Scratch scratch;
    std::ofstream out(scratch.path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    FUZZ_CHECK(!out.fail());
    return scratch.path.string();
}
#else
// One in-memory file per process (a memfd, so the fuzzer's speed is not the disk's), reached by
// ReadBlockFile through its /proc path like any other file. Returns that path.
std::string WriteScratchFile(const uint8_t* data, size_t size) {
    static const int fd = ::memfd_create("fuzz_blockfile", MFD_CLOEXEC);
    FUZZ_CHECK(fd >= 0);
    FUZZ_CHECK(::ftruncate(fd, 0) == 0);
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::pwrite(fd, data + written, size - written, static_cast<off_t>(written));
        FUZZ_CHECK(n > 0);
        written += static_cast<std::size_t>(n);
    }
    return "/proc/self/fd/" + std::to_string(fd);
}
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteScratchFile(data, size);

    const std::optional<block::BlockBytes> block = block::ReadBlockFile(path);
    FUZZ_CHECK(block.has_value() == (size >= block::kBlockBytes));
    if (block) {
        for (std::size_t i = 0; i < block::kBlockBytes; ++i) {
            FUZZ_CHECK((*block)[i] == data[i]);
        }
    }
    return 0;
}
