#include "platform/qt/HandlerGuard.h"

#include <exception>
#include <stdexcept>

#include "platform/Application.h"

namespace platform::qt {

void RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        Application.ShowException(error);
    } catch (...) {
        Application.ShowException(std::runtime_error("Unknown error"));
    }
}

}  // namespace platform::qt
