// Everything a scenario file can set, with the embedded default phone as initial values.
//
// A Scenario is a plain value: parsed from text by ParseScenario, then copied into the parts of
// the library that act on it. Units are given beside each field.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "EntryPoints.h"
#include "servicelib/LibraryTypes.h"

namespace sim {

struct MobileModel {
    int32_t hardwareId = 0;
    std::string modelName;
};

// Index of each sensor value in SensorData order.
enum class Sensor : std::size_t { VBattMiddle, VBattMax, VBattMin, BattTemp, EnvTemp, VcxoTemp };
inline constexpr std::size_t kSensorCount = 6;

using BlockBytes = std::array<uint8_t, servicelib::kCalibrationBlockSize>;

// Ten calibration words, low byte first, of the kind a factory-calibrated phone holds.
inline constexpr BlockBytes kDefaultBlock = {0x80, 0x0C, 0x00, 0x10, 0x3C, 0x0F, 0xFA,
                                             0x00, 0xFF, 0x7F, 0x01, 0x80, 0x00, 0x01,
                                             0x20, 0x03, 0x00, 0x1E, 0x44, 0x00};

struct Scenario {
    // Presence and the service-mode handshake.
    bool present = true;                 // false: nothing answers on the port, ever
    uint32_t serviceModeFailures = 2;    // failed WInitServiceMode attempts before success
    uint32_t serviceModeMsPerUnit = 10;  // milliseconds per unit of the delay argument
    std::optional<uint32_t> pingsBeforeAnswer =
        0;                                      // unanswered pings first; nullopt: never answers
    std::optional<uint32_t> pingsAfterConnect;  // answers after the first; nullopt: unlimited
    std::optional<uint32_t> goneForMs;          // away this long; nullopt: see goneForAttempts
    std::optional<uint32_t> goneForAttempts;    // away for this many service-mode attempts
    std::optional<uint64_t> flakySeed;          // set: present/absent at seeded random times
    uint32_t flakyMeanUpMs = 5000;
    uint32_t flakyMeanDownMs = 2000;

    // The port.
    int32_t openErrorCode = 0;  // nonzero: WComOpen fails with this code
    std::string openErrorText = "Serial port cannot be opened (simulated)";
    bool errorTextUnterminated = false;

    // The library's identity and its supported mobiles.
    std::string libraryVersion = "Corvane Simulated Phones service library 1.0";
    std::string libraryCopyright = "Copyright (C) Corvane Simulated Phones, simulated library";
    std::string libraryCompileDate = "May 14 2024";
    std::string libraryCompileTime = "10:42:00";
    bool identityUnterminated = false;
    std::vector<MobileModel> supportedMobiles = {{21, "Simphone S1"}, {28, "Simphone S2 Plus"}};

    // The phone's identification.
    int32_t hardwareId = 28;
    uint8_t softwareVersion = 0x21;
    std::string languageGroup = "EU-WEST";     // at most 15 characters
    std::string productName = "SIMPHONE S2P";  // at most 18 characters
    uint32_t flashSerial = 0x5F3A21C4;
    bool mobileInfoUnterminated = false;

    // Sensor values in volts and degrees Celsius; nullopt: the value drifts slowly.
    std::array<std::optional<double>, kSensorCount> sensors{};

    // Block 67 as the phone holds it when the scenario starts.
    bool blockPresent = true;
    uint32_t blockSize = servicelib::kCalibrationBlockSize;
    uint32_t blockVersion = servicelib::kCalibrationBlockVersion;
    BlockBytes block = kDefaultBlock;
    std::string eeliteImage;  // empty: the block lives only while the library is loaded

    // Faults, indexed by entry point: forced failure, added latency in milliseconds.
    std::array<bool, kEntryPointCount> fails{};
    std::array<uint32_t, kEntryPointCount> latencyMs{};

    bool Fails(EntryPoint entryPoint) const { return fails[IndexOf(entryPoint)]; }
};

}  // namespace sim
