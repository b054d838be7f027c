#include "support/PhoneFixture.h"

#include <thread>

#include "app/ProcessState.h"
#include "app/RunLog.h"
#include "block/CalibrationState.h"
#include "link/LinkState.h"
#include "platform/Application.h"
#include "servicelib/ServiceLibrary.h"
#include "support/Environment.h"

namespace testsupport {

void PhoneFixture::SetUpTestSuite() { platform::Application.Initialize(); }

void PhoneFixture::Start(const std::string& scenario) {
    dir_.Write("scenario.txt", scenario);
    SetEnvironment("CORVANE_SIM_SCENARIO", (dir_ / "scenario.txt").string());
    SetEnvironment("CORVANE_SIM_JOURNAL", (dir_ / "journal.log").string());

    app::Config = settings::Settings{};
    app::Config.SensorsUpdateDelay = 0;
    block::CalibrationBlock = {};
    block::BlockSize = 20;
    block::BlockVersion = 1;
    ASSERT_TRUE(app::OpenRunLog((dir_ / "output.log").string()));

    auto& library = servicelib::TheServiceLibrary();
    const std::string path = (BuildDir() / "Bfb95eg.dll").string();
    ASSERT_EQ(library.Load(path.c_str()), servicelib::BindResult::Bound);
    const auto& lib = library.EntryPoints();
    app::SupportedMobiles = lib.WGetSupportedMobiles();
    app::ComHandle = lib.WComOpen(0, app::Config.BaudRate);
    ASSERT_NE(app::ComHandle, -1) << "the scenario was refused";
    started_ = true;

    platform::Application.ResetTerminatedForTesting();
    form_ = std::make_unique<ui::TFormMain>(&platform::Application);
    ui::FormMain = form_.get();
}

void PhoneFixture::TearDown() {
    if (form_) {
        phonelink::StopInitThread();
        form_.reset();
        ui::FormMain = nullptr;
    }
    phonelink::MobileConnected.store(0);
    phonelink::InitThreadActive.store(0);
    auto& library = servicelib::TheServiceLibrary();
    if (started_) {
        library.EntryPoints().WComClose(app::ComHandle);
        const auto violations = GuardViolations(Journal());
        EXPECT_TRUE(violations.empty()) << violations.front();
    }
    library.Unload();
    app::CloseRunLog();
    UnsetEnvironment("CORVANE_SIM_JOURNAL");
}

void PhoneFixture::Tick() { form_->AllTimerTimer(form_->AllTimer); }

bool PhoneFixture::PumpUntil(const std::function<bool()>& condition,
                             std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        platform::Application.ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void PhoneFixture::PumpFor(std::chrono::milliseconds time) {
    PumpUntil([] { return false; }, time);
}

bool PhoneFixture::Connect() {
    Tick();
    return PumpUntil([] {
        return phonelink::MobileConnected.load() == 1 && phonelink::InitThreadActive.load() == 0;
    });
}

void PhoneFixture::EnterServiceMode() {
    const auto& lib = servicelib::Lib();
    bool inServiceMode = false;
    for (int attempt = 0; attempt < 100 && !inServiceMode; ++attempt) {
        inServiceMode = lib.WInitServiceMode(app::ComHandle, 1, 0) != 0;
    }
    ASSERT_TRUE(inServiceMode);
    lib.WComParity(app::ComHandle, 0);
    lib.WComConfigure(app::ComHandle, app::Config.BaudRate);
    ASSERT_NE(lib.WPingMobile(app::ComHandle), 0);
}

void PhoneFixture::MarkJournal() { mark_ = Journal().size(); }

std::vector<std::string> PhoneFixture::CallNamesSinceMark() const {
    const auto names = CallNames(Journal());
    return std::vector<std::string>(names.begin() + static_cast<std::ptrdiff_t>(std::min(mark_, names.size())),
                                    names.end());
}

std::vector<std::string> PhoneFixture::FieldTexts() {
    std::vector<std::string> texts;
    for (platform::TEdit* field : form_->EditFields()) {
        texts.push_back(field->Text());
    }
    return texts;
}

void PhoneFixture::SetFieldTexts(const std::vector<std::string>& texts) {
    const auto fields = form_->EditFields();
    for (std::size_t i = 0; i < fields.size() && i < texts.size(); ++i) {
        fields[i]->SetText(texts[i]);
    }
}

}  // namespace testsupport
