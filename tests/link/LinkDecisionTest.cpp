#include <gtest/gtest.h>

#include "link/LinkState.h"

namespace {

TEST(LinkDecision, ATickStartsAWorkerOnlyWhenIdleAndPollsOnlyWhenConnected) {
    using phonelink::TickAction;
    struct Case {
        int32_t connected;
        int32_t active;
        TickAction action;
    };
    const Case cases[] = {
        {0, 0, TickAction::StartWorker},
        {0, 1, TickAction::Nothing},
        {1, 0, TickAction::PollPhone},
        // The moment between the worker's two final writes: its library use is over.
        {1, 1, TickAction::PollPhone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(phonelink::DecideTick(c.connected, c.active), c.action)
            << c.connected << "/" << c.active;
    }
}

}  // namespace
