// The simulated service library behind the exports: the port, the scenario and the phone.
//
// One Library exists while Bfb95eg.dll is loaded (TheLibrary()). Every member may be called from
// any thread; one state mutex guards all state, so that even a caller that breaks the rule of one
// thread at a time cannot corrupt it (CallGuard reports such a caller). Addresses passed in are
// the caller's; each is checked for null and written only on success, except where noted.
#pragma once

#include <cstdint>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "BlockStore.h"
#include "Phone.h"
#include "ScenarioSource.h"

namespace sim {

// Error codes of WComGetLastError besides the scenario's own open_error_code.
inline constexpr int32_t kScenarioErrorCode = 9001;
inline constexpr int32_t kImageErrorCode = 9002;
inline constexpr int32_t kAlreadyOpenErrorCode = 9003;

class Library {
  public:
    Library();

    uint32_t LatencyMs(EntryPoint entryPoint);

    // Identity (no port needed): `which` is one of the four WLibrary* entry points.
    int32_t IdentityText(EntryPoint which, char* text);
    // Valid while the library is loaded, also after the scenario has been reloaded.
    const servicelib::SupportedMobile* SupportedMobiles();

    // The port.
    int32_t LastError();
    int32_t ErrorText(int32_t errorCode, char* text);
    int32_t Open(int32_t portIndex, int32_t baudRate);
    int32_t Close(int32_t comHandle);
    int32_t LineSetting(EntryPoint which, int32_t comHandle);
    int32_t StartTrace(int32_t comHandle, const char* traceFile);
    int32_t StopTrace(int32_t comHandle);

    // The phone; every one needs the open port's handle.
    int32_t InitServiceMode(int32_t comHandle, int32_t mode, int32_t delay);
    int32_t Ping(int32_t comHandle);
    int32_t HardwareId(int32_t comHandle, int32_t* hardwareId);
    int32_t MobileInformation(int32_t comHandle, servicelib::MobileInformation* info);
    int32_t FlashSerial(int32_t comHandle, uint32_t* serialNumber, uint32_t* unused);
    int32_t Sensors(int32_t comHandle, servicelib::SensorData* data);

    // Block 67 of the EELITE store.
    int32_t BlockVersionAndSize(int32_t comHandle, int32_t blockId, uint32_t* size,
                                uint32_t* version);
    int32_t ReadBlock(int32_t comHandle, int32_t blockId, uint32_t* size, uint32_t* version,
                      uint8_t* block);
    int32_t DeleteBlock(int32_t comHandle, int32_t blockId);
    int32_t WriteBlock(int32_t comHandle, int32_t blockId, uint32_t size, uint32_t version,
                       const uint8_t* block);

  private:
    // A supported-mobiles list and the names it points into; never freed or moved once built.
    struct MobileList {
        std::vector<std::string> names;
        std::vector<servicelib::SupportedMobile> entries;
    };

    void EnsureLoaded();
    void Apply(const Scenario& scenario);
    int32_t FailOpen(int32_t code, std::string text);
    bool PortIs(int32_t comHandle) const;
    // The port is open under this handle, the phone answers and `which` is not forced to fail.
    bool PhoneServes(int32_t comHandle, EntryPoint which, int64_t nowMs);
    bool BlockServes(int32_t comHandle, int32_t blockId, EntryPoint which, int64_t nowMs);

    std::mutex mutex_;
    ScenarioSource source_;
    Scenario scenario_;
    Phone phone_;
    BlockStore blocks_;
    std::list<MobileList> mobileLists_;
    std::optional<int32_t> openHandle_;
    int64_t openedAtMs_ = 0;
    int32_t lastError_ = 0;
    std::string lastErrorText_;
};

Library& TheLibrary();

}  // namespace sim
