// The simulated phone on the port: whether it is there, the service-mode handshake, and which
// pings it answers.
//
// Owned by the Library and used under its state mutex only. Times are milliseconds of the
// steady clock, passed in by the caller so that one call sees one instant.
#pragma once

#include <cstdint>
#include <optional>
#include <random>

#include "Scenario.h"

namespace sim {

class Phone {
  public:
    // Starts over: no service mode, no pings seen, present (unless the scenario says otherwise).
    void Reset(const Scenario& scenario, int64_t nowMs);

    // One service-mode attempt (the attempt's duration is the caller's). True: in service mode.
    bool InitServiceMode(int64_t nowMs);
    // True: the phone answered. A failing ping after the answers that pings_after_connect allows
    // is the moment the phone goes away.
    bool Ping(int64_t nowMs);
    // True while the phone is in service mode and answers other requests.
    bool Reachable(int64_t nowMs);

  private:
    void StartCycle();  // as from the start: the handshake and the ping counts begin again
    void UpdatePresence(int64_t nowMs);
    bool FlakyUp(int64_t nowMs);
    int64_t DrawDuration(uint32_t meanMs);

    bool present_ = true;
    uint32_t serviceModeFailures_ = 0;
    std::optional<uint32_t> pingsBeforeAnswer_;
    std::optional<uint32_t> pingsAfterConnect_;
    std::optional<uint32_t> goneForMs_;
    std::optional<uint32_t> goneForAttempts_;

    bool inServiceMode_ = false;
    uint32_t failedAttempts_ = 0;
    uint32_t unansweredPings_ = 0;
    uint32_t answeredPings_ = 0;

    bool gone_ = false;
    int64_t goneSinceMs_ = 0;
    uint32_t goneAttempts_ = 0;

    bool flaky_ = false;
    bool flakyUp_ = true;
    int64_t nextFlipMs_ = 0;
    uint32_t flakyMeanUpMs_ = 1;
    uint32_t flakyMeanDownMs_ = 1;
    std::mt19937_64 random_;
};

}  // namespace sim
