// The program's seven settings, read once at start-up from the settings file.
#pragma once

#include <cstdint>
#include <string>

namespace settings {

// Plain values, owned by whoever called ReadAllSettings; the defaults are what a missing file,
// section, key or value gives.
struct Settings {
    int32_t ComNumber = 1;                // serial port, counted from 1
    int32_t BaudRate = 57600;             // port speed, bits per second
    int32_t InitServiceModeDelay = 10;    // passed unchanged to every service-mode attempt
    int32_t SensorsUpdateDelay = 5;       // timer period, seconds
    uint8_t DoTrace = 0;                  // 1: the library writes a protocol trace
    std::string TraceFile = "trace.log";  // at most 12 characters
    std::string LogFile = "output.log";   // at most 12 characters

    friend bool operator==(const Settings&, const Settings&) = default;
};

inline constexpr const char* kSettingsFileName = "corvanetool.ini";

// The seven lookups, in the order ComNumber, BaudRate, InitServiceModeDelay, SensorsUpdateDelay
// (section "Common"), DoTrace, TraceFile, LogFile (section "Debug"); each opens `fileName`
// afresh. A relative name is looked for in the current working directory. Never fails.
Settings ReadAllSettings(const char* fileName = kSettingsFileName);

}  // namespace settings
