#include "platform/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

std::optional<std::size_t> ReadFileStart(const std::string& path, std::span<std::uint8_t> buffer) {
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
    std::size_t got = 0;
    while (ok && got < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
        } else if (n == 0) {
            break;  // the end of the file
        } else if (errno != EINTR) {
            ok = false;  // a read error (a folder: EISDIR)
        }
    }
    ::close(fd);
    if (!ok) {
        return std::nullopt;
    }
    return got;
}

}  // namespace platform
