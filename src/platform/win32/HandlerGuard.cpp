#include <exception>
#include <stdexcept>

#include "platform/Application.h"
#include "platform/win32/Backend.h"

namespace platform::win32 {

void RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        Application.ShowException(error);
    } catch (...) {
        Application.ShowException(std::runtime_error("Unknown error"));
    }
}

}  // namespace platform::win32
