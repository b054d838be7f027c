// The program: start-up, the run of the main window, and shut-down.
#pragma once

namespace app {

// Exit codes of the program.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;

// Runs the whole program on the calling (main) thread and returns its exit code. Start-up
// failures are written to the run log, when it is open, and to standard error.
int RunCorvaneSensorsTool();

}  // namespace app
