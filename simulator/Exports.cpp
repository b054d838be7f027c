// The 55 exports of Bfb95eg.dll.
//
// All of them are declared from the entry-point table that the tool binds against. C functions
// cannot be overloaded, so a definition below whose signature differs from its row is a compile
// error, and a row without a definition fails the link (-Wl,--no-undefined and the version
// script, or the .def file). Argument-less rows and the rows never called (U) are defined by the
// table expansion itself; rows with arguments are defined by hand, each a one-line hand-over to
// the Library inside sim::Enter.
#include "Entry.h"

// What the library exports is decided at the link: by a version script on ELF, by a module
// definition (.def) file on Windows. Both list exactly the table's names.
#if defined(_WIN32)
#define CORVANE_SIM_EXPORT
#else
#define CORVANE_SIM_EXPORT __attribute__((visibility("default")))
#endif

#define CORVANE_SIM_DECLARE(name, result, params) \
    extern "C" CORVANE_SIM_EXPORT result CORVANE_LIBCALL name params;
#define CORVANE_SIM_DECLARE_UNCALLED(name) CORVANE_SIM_DECLARE(name, int32_t, ())
CORVANE_ENTRY_POINTS(CORVANE_SIM_DECLARE, CORVANE_SIM_DECLARE_UNCALLED)
#undef CORVANE_SIM_DECLARE_UNCALLED
#undef CORVANE_SIM_DECLARE

// CORVANE_SIM_HAS_PARAMETERS(params...) is 1 for a non-empty list and nothing for ().
#define CORVANE_SIM_HAS_PARAMETERS(...) __VA_OPT__(1)
#define CORVANE_SIM_CONCAT(a, b) CORVANE_SIM_CONCAT_(a, b)
#define CORVANE_SIM_CONCAT_(a, b) a##b
#define CORVANE_SIM_DEFINE(name, result, params) \
    CORVANE_SIM_CONCAT(CORVANE_SIM_DEFINE_, CORVANE_SIM_HAS_PARAMETERS params)(name, result)
#define CORVANE_SIM_DEFINE_1(name, result)  // defined by hand below
#define CORVANE_SIM_DEFINE_(name, result)                                            \
    extern "C" result CORVANE_LIBCALL name() {                                       \
        using Result = result;                                                       \
        const auto operation = [](auto ops) -> Result {                              \
            if constexpr (requires { decltype(ops)::name(); }) {                     \
                return decltype(ops)::name();                                        \
            } else {                                                                 \
                return Result{};                                                     \
            }                                                                        \
        };                                                                           \
        return sim::Enter(sim::EntryPoint::name,                                     \
                          [&] { return operation(sim::ArgumentlessOperations{}); }); \
    }
#define CORVANE_SIM_DEFINE_UNCALLED(name) CORVANE_SIM_DEFINE_(name, int32_t)
CORVANE_ENTRY_POINTS(CORVANE_SIM_DEFINE, CORVANE_SIM_DEFINE_UNCALLED)

using servicelib::MobileInformation;
using servicelib::SensorData;
using sim::Enter;
using sim::EntryPoint;
using sim::TheLibrary;

int32_t WLibraryVersion(char* text) {
    return Enter(
        EntryPoint::WLibraryVersion,
        [&] { return TheLibrary().IdentityText(EntryPoint::WLibraryVersion, text); }, text);
}

int32_t WLibraryCopyright(char* text) {
    return Enter(
        EntryPoint::WLibraryCopyright,
        [&] { return TheLibrary().IdentityText(EntryPoint::WLibraryCopyright, text); }, text);
}

int32_t WLibraryCompileDate(char* text) {
    return Enter(
        EntryPoint::WLibraryCompileDate,
        [&] { return TheLibrary().IdentityText(EntryPoint::WLibraryCompileDate, text); }, text);
}

int32_t WLibraryCompileTime(char* text) {
    return Enter(
        EntryPoint::WLibraryCompileTime,
        [&] { return TheLibrary().IdentityText(EntryPoint::WLibraryCompileTime, text); }, text);
}

int32_t WComGetErrorString(int32_t errorCode, char* text) {
    return Enter(
        EntryPoint::WComGetErrorString, [&] { return TheLibrary().ErrorText(errorCode, text); },
        errorCode, text);
}

int32_t WComOpen(int32_t portIndex, int32_t baudRate) {
    return Enter(
        EntryPoint::WComOpen, [&] { return TheLibrary().Open(portIndex, baudRate); }, portIndex,
        baudRate);
}

int32_t WComClose(int32_t comHandle) {
    return Enter(
        EntryPoint::WComClose, [&] { return TheLibrary().Close(comHandle); }, comHandle);
}

// The library needs no configuration; every value is accepted.
int32_t WConfigLibrary(int32_t config) {
    return Enter(
        EntryPoint::WConfigLibrary, [] { return int32_t{1}; }, config);
}

int32_t WInitServiceMode(int32_t comHandle, int32_t mode, int32_t delay) {
    return Enter(
        EntryPoint::WInitServiceMode,
        [&] { return TheLibrary().InitServiceMode(comHandle, mode, delay); }, comHandle, mode,
        delay);
}

int32_t WGetHardwareIdentification(int32_t comHandle, int32_t* hardwareId) {
    return Enter(
        EntryPoint::WGetHardwareIdentification,
        [&] { return TheLibrary().HardwareId(comHandle, hardwareId); }, comHandle, hardwareId);
}

int32_t WGetMobileInformation(int32_t comHandle, MobileInformation* info) {
    return Enter(
        EntryPoint::WGetMobileInformation,
        [&] { return TheLibrary().MobileInformation(comHandle, info); }, comHandle, info);
}

int32_t WGetSensorData(int32_t comHandle, SensorData* data) {
    return Enter(
        EntryPoint::WGetSensorData, [&] { return TheLibrary().Sensors(comHandle, data); },
        comHandle, data);
}

int32_t WGetFlashSerialNumber(int32_t comHandle, uint32_t* serialNumber, uint32_t* unused) {
    return Enter(
        EntryPoint::WGetFlashSerialNumber,
        [&] { return TheLibrary().FlashSerial(comHandle, serialNumber, unused); }, comHandle,
        serialNumber, unused);
}

int32_t WPingMobile(int32_t comHandle) {
    return Enter(
        EntryPoint::WPingMobile, [&] { return TheLibrary().Ping(comHandle); }, comHandle);
}

int32_t WComStartDebugging(int32_t comHandle, const char* traceFile) {
    return Enter(
        EntryPoint::WComStartDebugging,
        [&] { return TheLibrary().StartTrace(comHandle, traceFile); }, comHandle, traceFile);
}

int32_t WComSopDebugging(int32_t comHandle) {
    return Enter(
        EntryPoint::WComSopDebugging, [&] { return TheLibrary().StopTrace(comHandle); }, comHandle);
}

int32_t WComConfigure(int32_t comHandle, int32_t baudRate) {
    return Enter(
        EntryPoint::WComConfigure,
        [&] { return TheLibrary().LineSetting(EntryPoint::WComConfigure, comHandle); }, comHandle,
        baudRate);
}

int32_t WComParity(int32_t comHandle, int32_t parity) {
    return Enter(
        EntryPoint::WComParity,
        [&] { return TheLibrary().LineSetting(EntryPoint::WComParity, comHandle); }, comHandle,
        parity);
}

int32_t WGiveEeliteBlockVersionAndSize(int32_t comHandle, int32_t blockId, uint32_t* blockSize,
                                       uint32_t* blockVersion) {
    return Enter(
        EntryPoint::WGiveEeliteBlockVersionAndSize,
        [&] {
            return TheLibrary().BlockVersionAndSize(comHandle, blockId, blockSize, blockVersion);
        },
        comHandle, blockId, blockSize, blockVersion);
}

int32_t WWriteEeliteBlock(int32_t comHandle, int32_t blockId, uint32_t blockSize,
                          uint32_t blockVersion, const uint8_t* block) {
    return Enter(
        EntryPoint::WWriteEeliteBlock,
        [&] { return TheLibrary().WriteBlock(comHandle, blockId, blockSize, blockVersion, block); },
        comHandle, blockId, blockSize, blockVersion, block);
}

int32_t WReadEeliteBlock(int32_t comHandle, int32_t blockId, uint32_t* blockSize,
                         uint32_t* blockVersion, uint8_t* block) {
    return Enter(
        EntryPoint::WReadEeliteBlock,
        [&] { return TheLibrary().ReadBlock(comHandle, blockId, blockSize, blockVersion, block); },
        comHandle, blockId, blockSize, blockVersion, block);
}

int32_t WDeleteEeliteDataBlock(int32_t comHandle, int32_t blockId) {
    return Enter(
        EntryPoint::WDeleteEeliteDataBlock,
        [&] { return TheLibrary().DeleteBlock(comHandle, blockId); }, comHandle, blockId);
}
