// What a failed start-up tells its user.
#pragma once

#include <string>

namespace app {

// The failures that end the program before its window exists.
enum class StartupFailure { RunLogNotOpened, LibraryNotLoaded, EntryPointMissing, PortNotOpened };

// The text of the message box that reports a start-up failure: the failure's own line (as the run
// log or standard error has it, without its line feed), then one sentence of what to check.
std::string StartupFailureMessage(StartupFailure failure, const std::string& line);

}  // namespace app
