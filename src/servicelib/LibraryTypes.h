// Records and conventions shared with the service library Bfb95eg.dll.
//
// Every argument and result crossing the library boundary is a 32-bit integer or an address.
// Both this program and the simulator in simulator/ include this header, so the two can never
// disagree on a record layout.
#pragma once

#include <cstddef>
#include <cstdint>

// The calling convention our simulator exports with: __stdcall on 32-bit Windows, as Windows
// libraries usually are, the platform's one convention elsewhere. A build may define it (empty:
// __cdecl) for a test library. The binding does not rely on it: on 32-bit Windows it calls every
// entry point in a way that is right for either convention (servicelib/StackSafeCall.h).
#ifndef CORVANE_LIBCALL
#if defined(_WIN32) && !defined(_WIN64)
#define CORVANE_LIBCALL __stdcall
#else
#define CORVANE_LIBCALL
#endif
#endif

namespace servicelib {

// Size of every text buffer the library writes into: 256 characters and a terminating zero.
inline constexpr std::size_t kLibraryTextSize = 257;

// One entry of the list that WGetSupportedMobiles returns; the list ends with hardwareId 0.
// The list and its names belong to the library and stay valid while it is loaded.
struct SupportedMobile {
    int32_t hardwareId;
    const char* modelName;
};

// Filled by WGetMobileInformation: 36 bytes, no padding.
struct MobileInformation {
    uint8_t mobileSwVersion;   // offset 0
    char languageGroup[16];    // offset 1, zero-terminated unless the library misbehaves
    char productName[19];      // offset 17, up to the end of the record
};
static_assert(sizeof(MobileInformation) == 36);
static_assert(offsetof(MobileInformation, languageGroup) == 1);
static_assert(offsetof(MobileInformation, productName) == 17);

// Filled by WGetSensorData: six doubles in the machine's byte order. Volts, then degrees Celsius.
struct SensorData {
    double vBattMiddle;
    double vBattMax;
    double vBattMin;
    double battTemp;
    double envTemp;
    double vcxoTemp;
};
static_assert(sizeof(SensorData) == 48);

// The size of the calibration block in bytes and its one accepted version.
inline constexpr uint32_t kCalibrationBlockSize = 20;
inline constexpr uint32_t kCalibrationBlockVersion = 1;
inline constexpr int32_t kCalibrationBlockId = 67;

}  // namespace servicelib
