#include "support/Unprivileged.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace testsupport {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUser = "nobody";

// How the child ended, beyond 0 (the body passed) and 1 (it failed). With kCannotChange and
// kUnusableFolder the child has written the reason into the pipe first.
constexpr int kBodyThrew = 2;
constexpr int kUnusableFolder = 3;
constexpr int kCannotChange = 4;

std::size_t ThreadCount() {
    std::size_t count = 0;
    std::error_code error;
    for (fs::directory_iterator it("/proc/self/task", error), end; !error && it != end;
         it.increment(error)) {
        ++count;
    }
    return count;
}

int FailedParts() {
    const testing::TestResult* result =
        testing::UnitTest::GetInstance()->current_test_info()->result();
    int failed = 0;
    for (int i = 0; i < result->total_part_count(); ++i) {
        failed += result->GetTestPartResult(i).failed() ? 1 : 0;
    }
    return failed;
}

// In the child: writes the reason for the parent and ends with `code`.
[[noreturn]] void EndChild(int reasonFd, int code, const std::string& reason) {
    const ssize_t written = write(reasonFd, reason.data(), reason.size());
    static_cast<void>(written);  // the parent then reports the exit code alone
    _exit(code);
}

std::string Failed(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// In the child: hands the folders over, becomes the user for good, runs the body. Never returns.
[[noreturn]] void RunChild(int reasonFd, uid_t uid, gid_t gid,
                           const std::vector<fs::path>& handOver,
                           const std::function<void()>& body) {
    for (const fs::path& folder : handOver) {
        if (chown(folder.c_str(), uid, gid) != 0) {
            EndChild(reasonFd, kCannotChange, Failed(("chown " + folder.string()).c_str()));
        }
    }
    if (setgroups(0, nullptr) != 0) {
        EndChild(reasonFd, kCannotChange, Failed("setgroups"));
    }
    if (setgid(gid) != 0) {
        EndChild(reasonFd, kCannotChange, Failed("setgid"));
    }
    if (setuid(uid) != 0) {
        EndChild(reasonFd, kCannotChange, Failed("setuid"));
    }
    if (geteuid() != uid || getegid() != gid || setuid(0) == 0) {
        EndChild(reasonFd, kCannotChange, "the privileges could still be taken back");
    }
    for (const fs::path& folder : handOver) {
        if (access(folder.c_str(), R_OK | W_OK | X_OK) != 0) {
            EndChild(reasonFd, kUnusableFolder,
                     Failed((folder.string() + " is out of the user's reach (set TMPDIR to a "
                                               "folder every user may enter)")
                                .c_str()));
        }
    }
    close(reasonFd);

    const int failedBefore = FailedParts();
    int code = 0;
    try {
        body();
        code = FailedParts() > failedBefore ? 1 : 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "exception: %s\n", error.what());
        code = kBodyThrew;
    } catch (...) {
        code = kBodyThrew;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(code);  // no exit handlers, no report files: those belong to the parent
}

}  // namespace

void RunUnprivileged(const std::vector<fs::path>& handOver, const std::function<void()>& body) {
    if (geteuid() != 0) {
        body();
        return;
    }
    const std::size_t threads = ThreadCount();
    if (threads != 1) {
        ADD_FAILURE() << "RunUnprivileged needs a process with one thread, this one has "
                      << threads;
        return;
    }
    const passwd* user = getpwnam(kUser);
    if (user == nullptr || user->pw_uid == 0) {
        GTEST_SKIP() << "cannot run as an ordinary user: this machine has no user " << kUser;
    }
    const uid_t uid = user->pw_uid;
    const gid_t gid = user->pw_gid;

    int reasonPipe[2];
    if (pipe(reasonPipe) != 0) {
        FAIL() << Failed("pipe");
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child < 0) {
        close(reasonPipe[0]);
        close(reasonPipe[1]);
        FAIL() << Failed("fork");
    }
    if (child == 0) {
        close(reasonPipe[0]);
        RunChild(reasonPipe[1], uid, gid, handOver, body);
    }
    close(reasonPipe[1]);
    std::string reason;
    char buffer[256];
    for (ssize_t got; (got = read(reasonPipe[0], buffer, sizeof buffer)) != 0;) {
        if (got > 0) {
            reason.append(buffer, static_cast<std::size_t>(got));
        } else if (errno != EINTR) {
            break;
        }
    }
    close(reasonPipe[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }

    const std::string who = std::string("the run as user ") + kUser;
    if (WIFSIGNALED(status)) {
        ADD_FAILURE() << who << " ended by signal " << WTERMSIG(status);
        return;
    }
    switch (WEXITSTATUS(status)) {
        case 0:
            return;
        case 1:
            ADD_FAILURE() << who << " failed: its failures are above";
            return;
        case kBodyThrew:
            ADD_FAILURE() << who << " threw an exception (see above)";
            return;
        case kUnusableFolder:
            ADD_FAILURE() << who << " could not use its folder: " << reason;
            return;
        case kCannotChange:
            GTEST_SKIP() << "cannot run as user " << kUser << ": " << reason;
        default:
            ADD_FAILURE() << who << " ended with exit code " << WEXITSTATUS(status);
    }
}

}  // namespace testsupport
