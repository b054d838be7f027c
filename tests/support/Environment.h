// Setting the process's environment from tests, the same way on every platform. The simulator
// reads its scenario and journal variables with getenv, so changes must reach the C library's
// copy of the environment (on Windows: _putenv_s, which SetEnvironmentVariable would not reach).
// Thread: the test's main thread, while no other thread reads the environment.
#pragma once

#include <string>

namespace testsupport {

void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);

}  // namespace testsupport
