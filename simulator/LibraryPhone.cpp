// The Library's phone and block operations. Each writes through the caller's addresses only
// when it succeeds; a failure leaves them untouched.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "Clock.h"
#include "FixedText.h"
#include "Library.h"
#include "Sensors.h"

namespace sim {

namespace {
// One service-mode attempt never takes longer than this, whatever delay the caller passes.
constexpr int64_t kServiceModeAttemptMaxMs = 60000;
}  // namespace

bool Library::PhoneServes(int32_t comHandle, EntryPoint which, int64_t nowMs) {
    return PortIs(comHandle) && !scenario_.Fails(which) && phone_.Reachable(nowMs);
}

bool Library::BlockServes(int32_t comHandle, int32_t blockId, EntryPoint which, int64_t nowMs) {
    return blockId == servicelib::kCalibrationBlockId && PhoneServes(comHandle, which, nowMs);
}

int32_t Library::InitServiceMode(int32_t comHandle, int32_t mode, int32_t delay) {
    int64_t attemptMs = 0;
    {
        std::lock_guard lock(mutex_);
        attemptMs = int64_t{std::max(delay, 0)} * scenario_.serviceModeMsPerUnit;
    }
    // The attempt's duration is spent outside the lock: it is the line's time, not the state's.
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::min(attemptMs, kServiceModeAttemptMaxMs)));
    std::lock_guard lock(mutex_);
    if (!PortIs(comHandle) || mode != 1) {
        return 0;
    }
    return phone_.InitServiceMode(NowMs()) ? 1 : 0;
}

int32_t Library::Ping(int32_t comHandle) {
    std::lock_guard lock(mutex_);
    return PortIs(comHandle) && phone_.Ping(NowMs()) ? 1 : 0;
}

int32_t Library::HardwareId(int32_t comHandle, int32_t* hardwareId) {
    std::lock_guard lock(mutex_);
    if (hardwareId == nullptr ||
        !PhoneServes(comHandle, EntryPoint::WGetHardwareIdentification, NowMs())) {
        return 0;
    }
    *hardwareId = scenario_.hardwareId;
    return 1;
}

int32_t Library::MobileInformation(int32_t comHandle, servicelib::MobileInformation* info) {
    std::lock_guard lock(mutex_);
    if (info == nullptr || !PhoneServes(comHandle, EntryPoint::WGetMobileInformation, NowMs())) {
        return 0;
    }
    const bool terminated = !scenario_.mobileInfoUnterminated;
    std::memset(info, 0, sizeof *info);
    info->mobileSwVersion = scenario_.softwareVersion;
    WriteFixedText(info->languageGroup, sizeof info->languageGroup, scenario_.languageGroup,
                   terminated);
    WriteFixedText(info->productName, sizeof info->productName, scenario_.productName, terminated);
    return 1;
}

int32_t Library::FlashSerial(int32_t comHandle, uint32_t* serialNumber, uint32_t* unused) {
    std::lock_guard lock(mutex_);
    if (serialNumber == nullptr ||
        !PhoneServes(comHandle, EntryPoint::WGetFlashSerialNumber, NowMs())) {
        return 0;
    }
    *serialNumber = scenario_.flashSerial;
    if (unused != nullptr) {
        *unused = 0;
    }
    return 1;
}

int32_t Library::Sensors(int32_t comHandle, servicelib::SensorData* data) {
    std::lock_guard lock(mutex_);
    const int64_t now = NowMs();
    if (data == nullptr || !PhoneServes(comHandle, EntryPoint::WGetSensorData, now)) {
        return 0;
    }
    *data = SensorValues(scenario_, now - openedAtMs_);
    return 1;
}

int32_t Library::BlockVersionAndSize(int32_t comHandle, int32_t blockId, uint32_t* size,
                                     uint32_t* version) {
    std::lock_guard lock(mutex_);
    const StoredBlock& stored = blocks_.Block();
    if (size == nullptr || version == nullptr || !stored.present ||
        !BlockServes(comHandle, blockId, EntryPoint::WGiveEeliteBlockVersionAndSize, NowMs())) {
        return 0;
    }
    *size = stored.size;
    *version = stored.version;
    return 1;
}

int32_t Library::ReadBlock(int32_t comHandle, int32_t blockId, uint32_t* size, uint32_t* version,
                           uint8_t* block) {
    std::lock_guard lock(mutex_);
    const StoredBlock& stored = blocks_.Block();
    if (size == nullptr || version == nullptr || block == nullptr || !stored.present ||
        !BlockServes(comHandle, blockId, EntryPoint::WReadEeliteBlock, NowMs())) {
        return 0;
    }
    *size = stored.size;
    *version = stored.version;
    std::memcpy(block, stored.bytes.data(), stored.bytes.size());
    return 1;
}

int32_t Library::DeleteBlock(int32_t comHandle, int32_t blockId) {
    std::lock_guard lock(mutex_);
    if (!BlockServes(comHandle, blockId, EntryPoint::WDeleteEeliteDataBlock, NowMs())) {
        return 0;
    }
    return blocks_.Erase() ? 1 : 0;
}

// Only a 20-byte block is taken: the store holds no other size, and reading more than 20 bytes
// from the caller could run past its buffer.
int32_t Library::WriteBlock(int32_t comHandle, int32_t blockId, uint32_t size, uint32_t version,
                            const uint8_t* block) {
    std::lock_guard lock(mutex_);
    if (block == nullptr || size != servicelib::kCalibrationBlockSize ||
        !BlockServes(comHandle, blockId, EntryPoint::WWriteEeliteBlock, NowMs())) {
        return 0;
    }
    BlockBytes bytes{};
    std::memcpy(bytes.data(), block, bytes.size());
    return blocks_.Write(size, version, bytes) ? 1 : 0;
}

}  // namespace sim
