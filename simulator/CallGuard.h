// Watches how the library is entered and reports misuse as lines in the journal and the trace:
//   <ms> CONCURRENT <EntryPoint> entered while <EntryPoint> is inside
//   <ms> AFTER-CLOSE <EntryPoint> called after WComClose
// Every one of the 55 entry points holds a CallGuard for the whole call (see Entry.h).
#pragma once

#include "EntryPoints.h"

namespace sim {

class CallGuard {
  public:
    explicit CallGuard(EntryPoint entryPoint);
    ~CallGuard();
    CallGuard(const CallGuard&) = delete;
    CallGuard& operator=(const CallGuard&) = delete;
};

// Called by the port's owner when WComOpen succeeds and when WComClose closes the port.
void NotePortOpened();
void NotePortClosed();

}  // namespace sim
