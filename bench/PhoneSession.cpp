#include "PhoneSession.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>
#include <thread>

#include "block/CalibrationState.h"
#include "link/LinkState.h"
#include "platform/Application.h"
#include "platform/Thread.h"
#include "process/ProcessState.h"
#include "servicelib/ServiceLibrary.h"
#include "ui/CorvaneInitThread.h"

namespace bench {
namespace {

std::filesystem::path MakeTempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    return pattern;
}

}  // namespace

PhoneSession::PhoneSession(const std::string& scenario, int32_t initServiceModeDelay)
    : folder_(MakeTempFolder()) {
    const std::filesystem::path scenarioFile = folder_ / "scenario.txt";
    std::ofstream(scenarioFile) << scenario;
    setenv("CORVANE_SIM_SCENARIO", scenarioFile.c_str(), 1);

    process::Config = settings::Settings{};
    process::Config.SensorsUpdateDelay = 0;
    process::Config.InitServiceModeDelay = initServiceModeDelay;
    block::CalibrationBlock = {};
    block::BlockSize = 20;
    block::BlockVersion = 1;

    auto& library = servicelib::TheServiceLibrary();
    if (library.Load(CORVANE_SIMULATOR_PATH) != servicelib::BindResult::Bound) {
        throw std::runtime_error("cannot bind the simulator " CORVANE_SIMULATOR_PATH);
    }
    const auto& lib = library.EntryPoints();
    process::SupportedMobiles = lib.WGetSupportedMobiles();
    process::ComHandle = lib.WComOpen(0, process::Config.BaudRate);
    if (process::ComHandle == -1) {
        library.Unload();
        throw std::runtime_error("the simulator refused the scenario");
    }
    form_ = std::make_unique<ui::TFormMain>(&platform::Application);
    ui::FormMain = form_.get();
}

PhoneSession::~PhoneSession() {
    ui::StopInitThread();
    form_.reset();
    ui::FormMain = nullptr;
    phonelink::MobileConnected.store(0);
    phonelink::InitThreadActive.store(0);
    auto& library = servicelib::TheServiceLibrary();
    library.EntryPoints().WComClose(process::ComHandle);
    library.Unload();
    unsetenv("CORVANE_SIM_SCENARIO");
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void PhoneSession::Tick() {
    form_->AllTimerTimer(form_->AllTimer);
}

bool PhoneSession::Connect(std::chrono::milliseconds timeout) {
    Tick();
    return ServeUntil(
        [] {
            return phonelink::MobileConnected.load() == 1 &&
                   phonelink::InitThreadActive.load() == 0;
        },
        timeout);
}

bool ServeUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        if (platform::ServeSynchronizedCalls() == 0) {
            platform::Application.ProcessMessages();
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    }
    return true;
}

}  // namespace bench
