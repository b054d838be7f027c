#include "Phone.h"

#include <cmath>

namespace sim {

void Phone::Reset(const Scenario& scenario, int64_t nowMs) {
    present_ = scenario.present;
    serviceModeFailures_ = scenario.serviceModeFailures;
    pingsBeforeAnswer_ = scenario.pingsBeforeAnswer;
    pingsAfterConnect_ = scenario.pingsAfterConnect;
    goneForMs_ = scenario.goneForMs;
    goneForAttempts_ = scenario.goneForAttempts;
    gone_ = false;
    goneSinceMs_ = 0;
    goneAttempts_ = 0;

    flaky_ = scenario.flakySeed.has_value();
    flakyUp_ = true;
    flakyMeanUpMs_ = scenario.flakyMeanUpMs;
    flakyMeanDownMs_ = scenario.flakyMeanDownMs;
    if (flaky_) {
        random_.seed(*scenario.flakySeed);
        nextFlipMs_ = nowMs + DrawDuration(flakyMeanUpMs_);
    }
    StartCycle();
}

void Phone::StartCycle() {
    inServiceMode_ = false;
    failedAttempts_ = 0;
    unansweredPings_ = 0;
    answeredPings_ = 0;
}

// Exponentially distributed, at least 1 ms, from the seeded generator: the same seed gives the
// same timeline on every run.
int64_t Phone::DrawDuration(uint32_t meanMs) {
    const double unit = std::generate_canonical<double, 53>(random_);
    const double drawn = -std::log1p(-unit) * static_cast<double>(meanMs);
    return 1 + static_cast<int64_t>(std::fmin(drawn, 1e12));
}

bool Phone::FlakyUp(int64_t nowMs) {
    if (!flaky_) {
        return true;
    }
    while (nowMs >= nextFlipMs_) {
        flakyUp_ = !flakyUp_;
        nextFlipMs_ += DrawDuration(flakyUp_ ? flakyMeanUpMs_ : flakyMeanDownMs_);
        if (flakyUp_) {
            StartCycle();
        } else {
            inServiceMode_ = false;
        }
    }
    return flakyUp_;
}

void Phone::UpdatePresence(int64_t nowMs) {
    if (!gone_) {
        return;
    }
    const bool timeServed = goneForMs_ && nowMs - goneSinceMs_ >= int64_t{*goneForMs_};
    const bool attemptsServed = goneForAttempts_ && goneAttempts_ >= *goneForAttempts_;
    if (timeServed || attemptsServed) {
        gone_ = false;
        StartCycle();
    }
}

bool Phone::InitServiceMode(int64_t nowMs) {
    UpdatePresence(nowMs);
    const bool up = FlakyUp(nowMs);
    if (gone_) {
        ++goneAttempts_;
        return false;
    }
    if (!present_ || !up) {
        return false;
    }
    if (inServiceMode_) {
        return true;
    }
    if (failedAttempts_ < serviceModeFailures_) {
        ++failedAttempts_;
        return false;
    }
    inServiceMode_ = true;
    return true;
}

bool Phone::Ping(int64_t nowMs) {
    if (!Reachable(nowMs)) {
        return false;
    }
    if (!pingsBeforeAnswer_) {
        return false;  // never answers
    }
    if (unansweredPings_ < *pingsBeforeAnswer_) {
        ++unansweredPings_;
        return false;
    }
    // The first answer connects; pings_after_connect more are answered, then the phone is gone.
    if (pingsAfterConnect_ && answeredPings_ > *pingsAfterConnect_) {
        gone_ = true;
        goneSinceMs_ = nowMs;
        goneAttempts_ = 0;
        inServiceMode_ = false;
        return false;
    }
    ++answeredPings_;
    return true;
}

bool Phone::Reachable(int64_t nowMs) {
    UpdatePresence(nowMs);
    const bool up = FlakyUp(nowMs);
    return present_ && up && !gone_ && inServiceMode_;
}

}  // namespace sim
