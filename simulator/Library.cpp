// The Library's scenario handling, identity and port. The phone and block operations are in
// LibraryPhone.cpp.
#include "Library.h"

#include "CallGuard.h"
#include "CallRecorder.h"
#include "Clock.h"
#include "FixedText.h"

namespace sim {

Library& TheLibrary() {
    static Library library;
    return library;
}

Library::Library() {
    Apply(Scenario{});
}

// The scenario is read when first needed; later reads happen only at WComOpen.
void Library::EnsureLoaded() {
    if (!source_.Loaded() && source_.Refresh() && source_.Error().empty()) {
        Apply(source_.Current());
    }
}

// A new scenario means a new phone: its block as the scenario gives it and a fresh handshake.
void Library::Apply(const Scenario& scenario) {
    scenario_ = scenario;
    phone_.Reset(scenario_, NowMs());
    blocks_.Reset(scenario_);
    MobileList& list = mobileLists_.emplace_back();
    list.names.reserve(scenario_.supportedMobiles.size());
    for (const MobileModel& model : scenario_.supportedMobiles) {
        list.names.push_back(model.modelName);
    }
    for (std::size_t i = 0; i < list.names.size(); ++i) {
        list.entries.push_back({scenario_.supportedMobiles[i].hardwareId, list.names[i].c_str()});
    }
    list.entries.push_back({0, nullptr});
}

uint32_t Library::LatencyMs(EntryPoint entryPoint) {
    std::lock_guard lock(mutex_);
    EnsureLoaded();
    return scenario_.latencyMs[IndexOf(entryPoint)];
}

int32_t Library::IdentityText(EntryPoint which, char* text) {
    std::lock_guard lock(mutex_);
    EnsureLoaded();
    if (text == nullptr) {
        return 0;
    }
    const std::string* value = &scenario_.libraryVersion;
    if (which == EntryPoint::WLibraryCopyright) {
        value = &scenario_.libraryCopyright;
    } else if (which == EntryPoint::WLibraryCompileDate) {
        value = &scenario_.libraryCompileDate;
    } else if (which == EntryPoint::WLibraryCompileTime) {
        value = &scenario_.libraryCompileTime;
    }
    WriteFixedText(text, servicelib::kLibraryTextSize, *value, !scenario_.identityUnterminated);
    return 1;
}

const servicelib::SupportedMobile* Library::SupportedMobiles() {
    std::lock_guard lock(mutex_);
    EnsureLoaded();
    return mobileLists_.back().entries.data();
}

int32_t Library::LastError() {
    std::lock_guard lock(mutex_);
    return lastError_;
}

int32_t Library::ErrorText(int32_t errorCode, char* text) {
    std::lock_guard lock(mutex_);
    EnsureLoaded();
    if (text == nullptr) {
        return 0;
    }
    std::string message = "Unknown error " + std::to_string(errorCode);
    if (errorCode == 0) {
        message = "No error";
    } else if (errorCode == lastError_) {
        message = lastErrorText_;
    } else if (errorCode == scenario_.openErrorCode) {
        message = scenario_.openErrorText;
    }
    WriteFixedText(text, servicelib::kLibraryTextSize, message, !scenario_.errorTextUnterminated);
    return 1;
}

int32_t Library::FailOpen(int32_t code, std::string text) {
    lastError_ = code;
    lastErrorText_ = std::move(text);
    return -1;
}

int32_t Library::Open(int32_t portIndex, int32_t /*baudRate*/) {
    std::lock_guard lock(mutex_);
    EnsureLoaded();
    if (source_.Refresh() && source_.Error().empty()) {
        Apply(source_.Current());
    }
    if (!source_.Error().empty()) {
        return FailOpen(kScenarioErrorCode, source_.Error());
    }
    if (openHandle_) {
        return FailOpen(kAlreadyOpenErrorCode, "The port is already open");
    }
    if (scenario_.openErrorCode != 0) {
        return FailOpen(scenario_.openErrorCode, scenario_.openErrorText);
    }
    std::string imageError;
    if (!blocks_.LoadImage(imageError)) {
        return FailOpen(kImageErrorCode, imageError);
    }
    // 1000 + index for the usual port indexes; any other index, -1 included, gets 999. Never -1.
    openHandle_ = portIndex >= 0 && portIndex <= 1000000 ? 1000 + portIndex : 999;
    openedAtMs_ = NowMs();
    phone_.Reset(scenario_, openedAtMs_);
    lastError_ = 0;
    lastErrorText_.clear();
    NotePortOpened();
    return *openHandle_;
}

int32_t Library::Close(int32_t comHandle) {
    std::lock_guard lock(mutex_);
    if (!PortIs(comHandle)) {
        return 0;
    }
    openHandle_.reset();
    NotePortClosed();
    return 1;
}

int32_t Library::LineSetting(EntryPoint which, int32_t comHandle) {
    std::lock_guard lock(mutex_);
    return PortIs(comHandle) && !scenario_.Fails(which) ? 1 : 0;
}

int32_t Library::StartTrace(int32_t comHandle, const char* traceFile) {
    std::lock_guard lock(mutex_);
    if (!PortIs(comHandle) || traceFile == nullptr ||
        scenario_.Fails(EntryPoint::WComStartDebugging)) {
        return 0;
    }
    return Recorder().StartTrace(traceFile) ? 1 : 0;
}

int32_t Library::StopTrace(int32_t comHandle) {
    std::lock_guard lock(mutex_);
    return PortIs(comHandle) && Recorder().StopTraceAfterNextLine() ? 1 : 0;
}

bool Library::PortIs(int32_t comHandle) const {
    return openHandle_ && *openHandle_ == comHandle;
}

}  // namespace sim
