#include "support/Environment.h"

#include <stdlib.h>

namespace testsupport {

void SetEnvironment(const std::string& name, const std::string& value) {
#if defined(_WIN32)
    _putenv_s(name.c_str(), value.c_str());
#else
    setenv(name.c_str(), value.c_str(), /*overwrite=*/1);
#endif
}

void UnsetEnvironment(const std::string& name) {
#if defined(_WIN32)
    _putenv_s(name.c_str(), "");  // an empty value removes the variable
#else
    unsetenv(name.c_str());
#endif
}

}  // namespace testsupport
