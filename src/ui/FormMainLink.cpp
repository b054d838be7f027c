// The link supervisor: the timer's handler.
#include <array>
#include <limits>

#include "link/LinkState.h"
#include "link/SensorText.h"
#include "process/ProcessState.h"
#include "servicelib/ServiceLibrary.h"
#include "ui/CorvaneInitThread.h"
#include "ui/FormMain.h"

namespace ui {

void TFormMain::AllTimerTimer(TObject* /*sender*/) {
    using phonelink::TickAction;
    const int32_t connected = phonelink::MobileConnected.load(std::memory_order_acquire);
    const int32_t active = phonelink::InitThreadActive.load(std::memory_order_acquire);
    switch (phonelink::DecideTick(connected, active)) {
        case TickAction::Nothing:
            return;
        case TickAction::StartWorker:
            // The previous worker's body has ended (it cleared InitThreadActive), so this waits at
            // most for its thread to finish.
            InitThread.reset();
            // Set before the worker exists: the worker clears it as its last act.
            phonelink::InitThreadActive.store(1, std::memory_order_release);
            InitThread.reset(new TCorvaneInitThread(false));
            return;
        case TickAction::PollPhone:
            break;
    }

    const auto& lib = servicelib::Lib();
    if (lib.WPingMobile(process::ComHandle) == 0) {
        ActiveLabel->Hide();
        ReadButton->Disable();
        WriteButton->Disable();
        for (platform::TStaticText* text : PhoneTexts()) {
            text->SetCaption("--");
        }
        phonelink::MobileConnected.store(0, std::memory_order_release);
        return;
    }

    // NaN marks what the library left unfilled; it shows as "--".
    constexpr double kUnfilled = std::numeric_limits<double>::quiet_NaN();
    servicelib::SensorData data{kUnfilled, kUnfilled, kUnfilled, kUnfilled, kUnfilled, kUnfilled};
    lib.WGetSensorData(process::ComHandle, &data);
    using phonelink::SensorUnit;
    VBattMiddleStText->SetCaption(phonelink::FormatSensorValue(data.vBattMiddle, SensorUnit::Volt));
    VBattMaxStText->SetCaption(phonelink::FormatSensorValue(data.vBattMax, SensorUnit::Volt));
    VBattMinStText->SetCaption(phonelink::FormatSensorValue(data.vBattMin, SensorUnit::Volt));
    BattTempStText->SetCaption(
        phonelink::FormatSensorValue(data.battTemp, SensorUnit::DegreeCelsius));
    EnvTempStText->SetCaption(
        phonelink::FormatSensorValue(data.envTemp, SensorUnit::DegreeCelsius));
    VCXOTempStText->SetCaption(
        phonelink::FormatSensorValue(data.vcxoTemp, SensorUnit::DegreeCelsius));
}

}  // namespace ui
