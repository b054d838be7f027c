// Runs the built executable as a separate process, as a user would start it. POSIX only.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

#include "support/BuildDir.h"

namespace testsupport {

struct ToolRun {
    int exitCode = -1;       // -1 when it did not end by itself in time (then it was killed)
    int signal = 0;          // the signal that ended it, 0 for a normal exit
    std::string standardError;
};

class ToolProcess {
public:
    // Starts `executable` in `workingDir` with the extra environment (on top of ours; a value of
    // "\x01unset" removes the variable). Qt runs offscreen unless the caller sets QT_QPA_PLATFORM.
    ToolProcess(const std::filesystem::path& executable, const std::filesystem::path& workingDir,
                const std::map<std::string, std::string>& environment);
    ~ToolProcess();  // kills the process if it still runs
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    void SendSignal(int signal);
    // Waits for the end; kills the process and reports exitCode -1 after the timeout.
    ToolRun Wait(std::chrono::milliseconds timeout);
    bool Running();

private:
    int pid_ = -1;
    int stderrFd_ = -1;
    std::string stderrText_;
    void DrainStderr();
};

// Starts the tool and waits for its end.
ToolRun RunTool(const std::filesystem::path& executable, const std::filesystem::path& workingDir,
                const std::map<std::string, std::string>& environment,
                std::chrono::milliseconds timeout = std::chrono::seconds(20));

// Polls `condition` every 10 ms until it holds or the timeout passes; true when it held.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout);

}  // namespace testsupport

#include <thread>

template <class Condition>
bool testsupport::WaitUntil(Condition condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}
