#include "platform/FileSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <utility>

namespace platform {
namespace {

struct PathParts {
    std::string folder;
    std::string name;
};

std::optional<PathParts> SplitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    PathParts parts;
    if (slash == std::string::npos) {
        parts = {".", path};
    } else {
        parts = {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
    }
    if (parts.name.empty() || parts.name == "." || parts.name == "..") {
        return std::nullopt;
    }
    return parts;
}

// Creates "<folder>/.<name>.XXXXXX" exclusively with `mode` (the umask applies, as it would to
// fopen), X being random letters and digits. Returns the open descriptor and fills `tempPath`,
// or -1. The name part is shortened so that a long target name still gives a valid temp name.
int CreateTempFile(const PathParts& parts, mode_t mode, std::string& tempPath) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    const std::string stem = parts.folder + "/." + parts.name.substr(0, 200) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = stem;
        for (int i = 0; i < 6; ++i) {
            candidate += kLetters[pick(random)];
        }
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            tempPath = std::move(candidate);
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

// Whether we may write the file itself, by the effective ids, without opening it (an open for
// writing would tell file watchers the file was written).
bool MayWrite(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

// Makes the rename durable. A file system that cannot sync folders (EINVAL) is not an error.
bool SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    return ::close(fd) == 0 && synced;
}

}  // namespace

struct FileSaver::State {
    enum class Mode { ReplaceFile, WriteInPlace };

    State(Mode mode, int fd, std::string targetPath, std::string tempPath, std::string folderPath)
        : mode(mode),
          fd(fd),
          targetPath(std::move(targetPath)),
          tempPath(std::move(tempPath)),
          folderPath(std::move(folderPath)) {}
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() { Discard(); }

    bool CommitReplace(std::span<const std::uint8_t> bytes) {
        bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
        ok = ::close(std::exchange(fd, -1)) == 0 && ok;
        ok = ok && ::rename(tempPath.c_str(), targetPath.c_str()) == 0;
        if (!ok) {
            Discard();
            return false;
        }
        tempPath.clear();  // it is the target now
        return SyncFolder(folderPath);
    }

    bool CommitInPlace(std::span<const std::uint8_t> bytes) {
        // Unbuffered writes: a device's refusal (ENOSPC on /dev/full) shows in write itself.
        const bool written = WriteAll(fd, bytes);
        return ::close(std::exchange(fd, -1)) == 0 && written;
    }

    void Discard() noexcept {
        if (fd >= 0) {
            ::close(std::exchange(fd, -1));
        }
        if (!tempPath.empty()) {
            ::unlink(tempPath.c_str());
            tempPath.clear();
        }
    }

    Mode mode;
    int fd;                  // owned; -1 once closed
    std::string targetPath;  // resolved target
    std::string tempPath;    // owned temporary file; empty when there is none (in place, done)
    std::string folderPath;  // folder of the target, synced after the rename
};

std::optional<FileSaver> FileSaver::Open(const std::string& path) {
    using Mode = State::Mode;
    if (path.empty()) {
        return std::nullopt;
    }
    std::string target = path;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            return std::nullopt;  // dangling or looping link
        }
        target = resolved;
        std::free(resolved);
    }
    const std::optional<PathParts> parts = SplitPath(target);
    if (!parts) {
        return std::nullopt;
    }
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) {
        return std::nullopt;
    }
    if (exists && S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        // A FIFO without a reader fails here (ENXIO) instead of blocking the caller.
        const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd < 0) {
            return std::nullopt;
        }
        struct stat opened {};
        const int flags = ::fcntl(fd, F_GETFL);
        if (::fstat(fd, &opened) != 0 || S_ISREG(opened.st_mode) || flags < 0 ||
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
            ::close(fd);  // replaced by a regular file meanwhile: never write one in place
            return std::nullopt;
        }
        return FileSaver(
            std::make_unique<State>(Mode::WriteInPlace, fd, target, "", parts->folder));
    }
    // A file we could not write in place is not replaced behind its permissions either.
    if (exists && !MayWrite(target)) {
        return std::nullopt;
    }
    std::string tempPath;
    const int fd = CreateTempFile(*parts, exists ? 0600 : 0666, tempPath);
    if (fd < 0) {
        return std::nullopt;
    }
    FileSaver saver(
        std::make_unique<State>(Mode::ReplaceFile, fd, target, std::move(tempPath), parts->folder));
    if (exists && ::fchmod(fd, info.st_mode & 0777) != 0) {
        return std::nullopt;  // the saver's destructor removes the temporary file
    }
    return saver;
}

FileSaver::FileSaver(std::unique_ptr<State> state) : state_(std::move(state)) {}
FileSaver::FileSaver(FileSaver&& other) noexcept = default;
FileSaver& FileSaver::operator=(FileSaver&& other) noexcept = default;
FileSaver::~FileSaver() = default;

bool FileSaver::Commit(std::span<const std::uint8_t> bytes) {
    if (!state_ || state_->fd < 0) {
        return false;
    }
    return state_->mode == State::Mode::ReplaceFile ? state_->CommitReplace(bytes)
                                                    : state_->CommitInPlace(bytes);
}

}  // namespace platform
