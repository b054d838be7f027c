#include "link/LinkState.h"

namespace phonelink {

std::atomic<int32_t> MobileConnected{0};
std::atomic<int32_t> InitThreadActive{0};

TickAction DecideTick(int32_t mobileConnected, int32_t initThreadActive) {
    if (mobileConnected != 0) {
        return TickAction::PollPhone;
    }
    return initThreadActive != 0 ? TickAction::Nothing : TickAction::StartWorker;
}

}  // namespace phonelink
