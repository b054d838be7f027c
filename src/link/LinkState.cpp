#include "link/LinkState.h"

#include <utility>

namespace phonelink {

std::atomic<int32_t> MobileConnected{0};
std::atomic<int32_t> InitThreadActive{0};
platform::ThreadPtr<TCorvaneInitThread> InitThread;

void StopInitThread() {
    // Take the worker out first: a nested call (a second Exit from a message box loop) must find
    // nothing to stop rather than a worker that is being waited for.
    platform::ThreadPtr<TCorvaneInitThread> worker = std::move(InitThread);
    if (!worker) {
        return;
    }
    worker->Terminate();
    worker->WaitFor();
    worker.reset();
}

TickAction DecideTick(int32_t mobileConnected, int32_t initThreadActive) {
    if (mobileConnected != 0) {
        return TickAction::PollPhone;
    }
    return initThreadActive != 0 ? TickAction::Nothing : TickAction::StartWorker;
}

}  // namespace phonelink
