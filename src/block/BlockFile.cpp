#include "block/BlockFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace block {

std::optional<BlockBytes> ReadBlockFile(const std::string& path) {
    if (path.empty()) {
        return std::nullopt;
    }
    // O_NONBLOCK only so that opening a FIFO cannot wait for a writer; it is refused just below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && !S_ISFIFO(info.st_mode) && !S_ISSOCK(info.st_mode);
    if (ok) {
        const int flags = ::fcntl(fd, F_GETFL);
        ok = flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
    }
    BlockBytes bytes{};
    std::size_t got = 0;
    while (ok && got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            ok = false;  // end of file before twenty bytes, or a read error (a folder: EISDIR)
        }
    }
    ::close(fd);
    if (!ok) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace block
