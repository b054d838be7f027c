#include "ui/CorvaneInitThread.h"

#include <string>
#include <utility>

#include "link/IdentificationText.h"
#include "link/LinkState.h"
#include "platform/LibraryText.h"
#include "process/ProcessState.h"
#include "servicelib/ServiceLibrary.h"
#include "ui/FormMain.h"

namespace ui {

platform::ThreadPtr<TCorvaneInitThread> InitThread;

void StopInitThread() {
    // Take the worker out first: a nested call (a second Exit from a message box loop) must find
    // nothing to stop rather than a worker that is being waited for.
    platform::ThreadPtr<TCorvaneInitThread> worker = std::move(InitThread);
    if (!worker) {
        return;
    }
    worker->Terminate();
    worker->WaitFor();
    worker.reset();
}

namespace {

using phonelink::InitThreadActive;
using phonelink::MobileConnected;
using process::ComHandle;
using process::Config;

// Written by the worker before it hands over ShowIdentification, read only by that update; the
// synchronised call orders the two. Keeps its value until the next identification.
phonelink::IdentificationTexts identification;

// Clears InitThreadActive as the very last act of the body, on every way out of it.
struct ActiveFlagClearer {
    ~ActiveFlagClearer() { InitThreadActive.store(0, std::memory_order_release); }
};

}  // namespace

TCorvaneInitThread::TCorvaneInitThread(bool createSuspended) : TThread(true) {
    SetPriority(platform::TThreadPriority::Normal);
    // Started only now that the object is whole, so Execute never runs on a partly built worker.
    if (!createSuspended) {
        Start();
    }
}

void TCorvaneInitThread::Execute() {
    ActiveFlagClearer clearActiveOnExit;
    Update(&TCorvaneInitThread::ShowConnecting);
    if (!EnterServiceMode()) {
        return;
    }
    const auto& lib = servicelib::Lib();
    lib.WComParity(ComHandle, 0);
    lib.WComConfigure(ComHandle, Config.BaudRate);
    if (!AwaitAnswer()) {
        return;
    }
    Update(&TCorvaneInitThread::ShowReadingInfo);
    ReadIdentification();
    Update(&TCorvaneInitThread::ShowIdentification);
    MobileConnected.store(1, std::memory_order_release);
}

bool TCorvaneInitThread::EnterServiceMode() {
    const auto& lib = servicelib::Lib();
    for (;;) {
        if (Terminated()) {
            return false;
        }
        if (lib.WInitServiceMode(ComHandle, 1, Config.InitServiceModeDelay) != 0) {
            return true;
        }
        Update(&TCorvaneInitThread::StepConnectProgress);
    }
}

bool TCorvaneInitThread::AwaitAnswer() {
    const auto& lib = servicelib::Lib();
    for (int attempt = 0; attempt < kPingAttempts; ++attempt) {
        if (Terminated()) {
            return false;
        }
        if (lib.WPingMobile(ComHandle) != 0) {
            return true;
        }
        // Cut short by a termination request, which the next test point then sees.
        Pause(kPingPauseMs);
    }
    return false;
}

void TCorvaneInitThread::ReadIdentification() {
    const auto& lib = servicelib::Lib();
    // Zero-filled before each call: the results are not examined, so a failed call must leave
    // values that format as nothing worse than zeros and empty texts.
    int32_t hardwareId = 0;
    lib.WGetHardwareIdentification(ComHandle, &hardwareId);
    servicelib::MobileInformation information{};
    lib.WGetMobileInformation(ComHandle, &information);
    uint32_t flashSerial = 0;
    uint32_t unused = 0;
    lib.WGetFlashSerialNumber(ComHandle, &flashSerial, &unused);
    phonelink::IdentificationTexts texts = phonelink::FormatIdentification(
        hardwareId, process::SupportedMobiles, information, flashSerial);
    // The model name and the record's texts are the library's bytes, in its encoding.
    for (std::string* text : {&texts.description, &texts.softwareVersion, &texts.languageGroup,
                              &texts.productName, &texts.flashSerial}) {
        *text = platform::LibraryTextToUtf8(*text);
    }
    identification = std::move(texts);
}

void TCorvaneInitThread::Update(void (TCorvaneInitThread::*method)()) {
    Synchronize([this, method] {
        (this->*method)();
        // A close waiting for this worker has put its own status on the window; keep it there.
        FormMain->KeepClosingStatus();
    });
}

void TCorvaneInitThread::ShowConnecting() {
    TFormMain& form = *FormMain;
    form.ConnectProgressBar->SetPosition(0);
    form.ConnectLabel->SetCaption("Trying to connect to mobile with Boot-Strap-Loader");
    form.ConnectLabel->SetFontColor(platform::clBlack);
    form.ConnectLabel->Show();
    form.ConnectProgressBar->Show();
    form.ConnectLabel->Repaint();
    form.ConnectProgressBar->Repaint();
}

void TCorvaneInitThread::StepConnectProgress() {
    FormMain->ConnectProgressBar->StepIt();
}

void TCorvaneInitThread::ShowReadingInfo() {
    TFormMain& form = *FormMain;
    form.ConnectLabel->SetCaption("Reading info...");
    form.ConnectLabel->SetFontColor(platform::clLime);
    form.Repaint();
    form.ActiveLabel->Show();
    form.ConnectProgressBar->Hide();
    // Read Phone and Write Phone are enabled by ShowIdentification, once this worker has made
    // its last library call: a click now would enter the library beside the worker's reads.
}

void TCorvaneInitThread::ShowIdentification() {
    TFormMain& form = *FormMain;
    form.DescriptionStText->SetCaption(identification.description);
    form.MobileSWVerStText->SetCaption(identification.softwareVersion);
    form.LanguageGroupStText->SetCaption(identification.languageGroup);
    form.ProductNameStText->SetCaption(identification.productName);
    form.MobileHWIdStText->SetCaption(identification.flashSerial);
    form.ConnectLabel->Hide();
    form.ReadButton->Enable();
    form.WriteButton->Enable();
    form.ReadPhone();
}

}  // namespace ui
