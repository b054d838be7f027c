// The link state shared by the link supervisor (the timer, on the user-interface thread) and the
// connection worker.
//
// Protocol, each flag written by one side only:
// - InitThreadActive: set to 1 on the user-interface thread just before a worker is created; set
//   to 0 by the worker as the last act of its body. A worker is created only while it reads 0.
// - MobileConnected: set to 1 by the worker after its last library call and after its final
//   update (block read included) has returned; set to 0 only on the user-interface thread, when a
//   ping goes unanswered. Ticks enter the library only while it reads 1.
// Stores are release and loads acquire, so what one side did before its store is visible to the
// other side after its load.
#pragma once

#include <atomic>
#include <cstdint>

namespace phonelink {

extern std::atomic<int32_t> MobileConnected;
extern std::atomic<int32_t> InitThreadActive;

// What one tick of the supervisor does.
enum class TickAction { Nothing, StartWorker, PollPhone };
TickAction DecideTick(int32_t mobileConnected, int32_t initThreadActive);

}  // namespace phonelink
