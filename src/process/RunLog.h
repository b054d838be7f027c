// The run log: a text file emptied at each start and open from start-up to shut-down.
//
// Thread: user-interface thread only (the worker never writes it).
#pragma once

#include <string>

namespace process {

// Opens the log, creating the file or emptying an existing one. False when it cannot be opened;
// the reason is then in errno.
bool OpenRunLog(const std::string& fileName);
// Flushes and closes the log; nothing is written afterwards.
void CloseRunLog();

}  // namespace process
