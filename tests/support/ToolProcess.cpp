#include "support/ToolProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace testsupport {

ToolProcess::ToolProcess(const std::filesystem::path& executable,
                         const std::filesystem::path& workingDir,
                         const std::map<std::string, std::string>& environment) {
    std::map<std::string, std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        if (equals != std::string::npos) {
            merged[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    merged.emplace("QT_QPA_PLATFORM", "offscreen");
    for (const auto& [key, value] : environment) {
        if (value == "\x01unset" && key == "LD_LIBRARY_PATH" && CORVANE_SANITIZED_BUILD) {
            // The sanitizers' dlopen wrapper loads on its own behalf, so the executable's $ORIGIN
            // run path is not searched; naming the executable's folder searches the same place.
            merged[key] = executable.parent_path().string();
        } else if (value == "\x01unset") {
            merged.erase(key);
        } else {
            merged[key] = value;
        }
    }
    std::vector<std::string> envText;
    for (const auto& [key, value] : merged) {
        envText.push_back(key + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& text : envText) {
        envp.push_back(text.data());
    }
    envp.push_back(nullptr);

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    std::string program = executable.string();
    char* argv[] = {program.data(), nullptr};
    const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    stderrFd_ = pipeFds[0];
    if (rc != 0) {
        close(stderrFd_);
        throw std::runtime_error("posix_spawn failed");
    }
    fcntl(stderrFd_, F_SETFL, O_NONBLOCK);
}

ToolProcess::~ToolProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (stderrFd_ >= 0) {
        close(stderrFd_);
    }
}

void ToolProcess::DrainStderr() {
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(stderrFd_, buffer, sizeof buffer);
        if (n <= 0) {
            return;
        }
        stderrText_.append(buffer, static_cast<std::size_t>(n));
    }
}

void ToolProcess::SendSignal(int signal) {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

bool ToolProcess::Running() {
    DrainStderr();
    if (pid_ <= 0) {
        return false;
    }
    return waitpid(pid_, nullptr, WNOHANG | WNOWAIT) == 0;
}

ToolRun ToolProcess::Wait(std::chrono::milliseconds timeout) {
    ToolRun run;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    for (;;) {
        DrainStderr();
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            pid_ = -1;
            DrainStderr();
            run.standardError = stderrText_;
            return run;
        }
        pollfd fd{stderrFd_, POLLIN, 0};
        poll(&fd, 1, 10);
    }
    pid_ = -1;
    DrainStderr();
    run.standardError = stderrText_;
    if (WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        run.signal = WTERMSIG(status);
    }
    return run;
}

ToolRun RunTool(const std::filesystem::path& executable, const std::filesystem::path& workingDir,
                const std::map<std::string, std::string>& environment,
                std::chrono::milliseconds timeout) {
    ToolProcess process(executable, workingDir, environment);
    return process.Wait(timeout);
}

}  // namespace testsupport
