#include "CallRecorder.h"

#include <cstdlib>

namespace sim {

CallRecorder& Recorder() {
    static CallRecorder recorder;
    return recorder;
}

void CallRecorder::RefreshJournal() {
    const char* path = std::getenv(kJournalVariable);
    if (path == nullptr || *path == '\0') {
        journal_.Close();
        return;
    }
    if (!journal_.IsOpen() || journal_.Path() != path) {
        journal_.Open(path, "ab");  // binary: the same bytes, line feeds only, on every platform
    }
}

void CallRecorder::Record(const std::string& line) {
    std::lock_guard lock(mutex_);
    RefreshJournal();
    journal_.Write(line);
    trace_.Write(line);
    if (traceStopPending_) {
        trace_.Close();
        traceStopPending_ = false;
    }
}

bool CallRecorder::StartTrace(const std::string& path) {
    std::lock_guard lock(mutex_);
    traceStopPending_ = false;
    return trace_.Open(path, "wb");
}

bool CallRecorder::StopTraceAfterNextLine() {
    std::lock_guard lock(mutex_);
    traceStopPending_ = trace_.IsOpen();
    return traceStopPending_;
}

}  // namespace sim
