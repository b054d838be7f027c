#include "CallGuard.h"

#include <atomic>
#include <string>

#include "CallRecorder.h"
#include "Clock.h"

namespace sim {

namespace {

// Protocol: each call increments gCallsInside on entry and decrements it on exit, and publishes
// its index in gLastEntered after entering. A call that finds gCallsInside above zero overlaps
// another one, whose index gLastEntered then holds. Both are plain counters: no state is guarded
// by them, they only feed the report.
std::atomic<int> gCallsInside{0};
std::atomic<std::size_t> gLastEntered{0};

// Set by WComClose, cleared by a successful WComOpen; read on entry by every call.
std::atomic<bool> gPortClosed{false};

std::string Stamp() {
    return std::to_string(NowMs()) + ' ';
}

}  // namespace

CallGuard::CallGuard(EntryPoint entryPoint) {
    const int before = gCallsInside.fetch_add(1);
    const std::size_t other = gLastEntered.exchange(IndexOf(entryPoint));
    if (before > 0) {
        Recorder().Record(Stamp() + "CONCURRENT " + std::string(NameOf(entryPoint)) +
                          " entered while " + std::string(kEntryPointNames[other]) + " is inside");
    }
    if (entryPoint != EntryPoint::WComOpen && gPortClosed.load()) {
        Recorder().Record(Stamp() + "AFTER-CLOSE " + std::string(NameOf(entryPoint)) +
                          " called after WComClose");
    }
}

CallGuard::~CallGuard() {
    gCallsInside.fetch_sub(1);
}

void NotePortOpened() {
    gPortClosed.store(false);
}
void NotePortClosed() {
    gPortClosed.store(true);
}

}  // namespace sim
