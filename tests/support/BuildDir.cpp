#include "support/BuildDir.h"

#include <cstdlib>

namespace testsupport {

std::filesystem::path BuildDir() {
    const char* dir = std::getenv("CORVANE_BUILD_DIR");
    return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::current_path();
}

}  // namespace testsupport
