// Runs an event handler of the program from inside the toolkit's event dispatch.
#pragma once

#include <functional>

namespace platform::qt {

// Runs the handler; an exception that escapes it is shown with the application's exception
// display instead of unwinding through the toolkit, which does not support that.
void RunGuarded(const std::function<void()>& handler);

}  // namespace platform::qt
