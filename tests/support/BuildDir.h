// Where the build put the programs and the simulator.
#pragma once

#include <filesystem>

namespace testsupport {

// The build folder (CORVANE_BUILD_DIR, set by CTest; a path the test program's platform opens),
// holding the executable and the simulator. The current folder when the variable is not set.
std::filesystem::path BuildDir();

}  // namespace testsupport
