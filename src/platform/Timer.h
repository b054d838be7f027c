// A timer whose ticks run on the user-interface thread.
#pragma once

#include <cstdint>

#include "platform/Controls.h"

namespace platform {

// Created and owned by its form. Thread: user-interface thread only.
class TTimer : public TComponent {
  public:
    TTimer(std::string name, void* native) : TComponent(std::move(name)), native_(native) {}

    // Period in milliseconds. A period of 0 or below stops the timer: it never ticks. A positive
    // period (re)starts it; the first tick comes one period later.
    void SetInterval(int32_t milliseconds);
    // The period last set, 0 when stopped.
    int32_t Interval() const;
    // Whether the timer is ticking.
    bool Enabled() const;
    void SetOnTimer(TNotifyEvent handler);

    void* Native() const { return native_; }

  private:
    void* native_;
};

}  // namespace platform
