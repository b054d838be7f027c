// Process-wide state set during start-up and unchanged until shut-down.
//
// Written on the main thread before the main form exists, only read afterwards: the connection
// worker and the timer read it without a lock.
#pragma once

#include <cstdint>
#include <string>

#include "servicelib/LibraryTypes.h"
#include "settings/Settings.h"

namespace process {

// The seven settings, read once at start-up.
extern settings::Settings Config;

// The port handle WComOpen returned; valid from the open to WComClose at shut-down.
extern int32_t ComHandle;

// The library's list of supported mobiles, ended by an entry with id 0; owned by the library.
// May be null when the library returned no list.
extern const servicelib::SupportedMobile* SupportedMobiles;

// Appends text to the run log, if it is open, and flushes it so that a crash keeps every line.
// Thread: user-interface thread only.
void WriteRunLog(const std::string& text);

}  // namespace process
