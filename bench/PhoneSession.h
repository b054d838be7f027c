// The main window in this process, wired to the simulated library the way start-up wires it: the
// library loaded, the port open, the form created as FormMain. The timer never ticks by itself
// (period 0); callers tick it and serve the worker's synchronised calls themselves.
//
// Thread: user-interface thread. One session at a time.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "ui/FormMain.h"

namespace bench {

class PhoneSession {
  public:
    // Loads the simulator with the scenario text (lines key=value) and opens the window. Every
    // service-mode attempt gets `initServiceModeDelay`. Throws std::runtime_error when the library
    // cannot be bound or the scenario is refused.
    explicit PhoneSession(const std::string& scenario, int32_t initServiceModeDelay = 10);
    // Stops the worker, closes the window and the port, unloads the library.
    ~PhoneSession();
    PhoneSession(const PhoneSession&) = delete;
    PhoneSession& operator=(const PhoneSession&) = delete;

    ui::TFormMain& Form() { return *form_; }
    // One tick of the link supervisor.
    void Tick();
    // Ticks once and serves the worker until the phone is connected; false after the timeout.
    bool Connect(std::chrono::milliseconds timeout = std::chrono::seconds(10));

  private:
    std::filesystem::path folder_;
    std::unique_ptr<ui::TFormMain> form_;
};

// Serves synchronised calls and toolkit events until `condition` holds; false after the timeout.
// Checks about every 50 microseconds, so whoever waits sees a change within that time.
bool ServeUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

}  // namespace bench
