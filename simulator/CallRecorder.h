// Where the lines about calls go: the call journal and the protocol trace.
//
// The journal is the file named by the environment variable CORVANE_SIM_JOURNAL, looked up at
// every line (so a test may switch it between calls), opened for appending. The trace is the
// file that WComStartDebugging names, rewritten at each start, until WComSopDebugging.
// Every member may be called from any thread: one mutex serialises all file access.
#pragma once

#include <mutex>
#include <string>

#include "LineSink.h"

namespace sim {

inline constexpr const char* kJournalVariable = "CORVANE_SIM_JOURNAL";

class CallRecorder {
  public:
    // Writes `line` to the journal (if one is named) and to the running trace; a stop that
    // StopTraceAfterNextLine asked for then takes effect, so the stopping call is traced too.
    void Record(const std::string& line);
    // Starts (or restarts) the trace into `path`; false when the file cannot be created.
    bool StartTrace(const std::string& path);
    // False when no trace is running.
    bool StopTraceAfterNextLine();

  private:
    void RefreshJournal();

    std::mutex mutex_;
    LineSink journal_;
    LineSink trace_;
    bool traceStopPending_ = false;
};

// The library's one recorder, alive while the library is loaded.
CallRecorder& Recorder();

}  // namespace sim
