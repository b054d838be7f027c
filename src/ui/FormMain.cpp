#include "ui/FormMain.h"

#include "process/ProcessState.h"
#include "ui/CorvaneInitThread.h"
#include "ui/FormMainLayout.h"
#include "ui/TimerPeriod.h"

namespace ui {

TFormMain* FormMain = nullptr;

TFormMain::TFormMain(platform::TApplication* /*owner*/)
    : TForm(FormMainSpec(), FormMainComponentTable()) {
    BindComponents();
    SetStartingState();
}

void TFormMain::BindComponents() {
#define CORVANE_BIND_COMPONENT(type, name, ...) name = Find<platform::type>(#name);
    CORVANE_FORM_MAIN_COMPONENTS(CORVANE_BIND_COMPONENT)
#undef CORVANE_BIND_COMPONENT

    for (const ComponentHandler& row : FormMainHandlerTable()) {
        if (row.handler == nullptr) {
            continue;
        }
        auto handler = [this, method = row.handler](TObject* sender) { (this->*method)(sender); };
        TComponent* component = FindComponent(row.componentName);
        if (auto* button = dynamic_cast<platform::TButton*>(component)) {
            button->SetOnClick(handler);
        } else if (auto* timer = dynamic_cast<platform::TTimer*>(component)) {
            timer->SetOnTimer(handler);
        }
    }
}

void TFormMain::SetStartingState() {
    for (platform::TStaticText* text : PhoneTexts()) {
        text->SetCaption("--");
    }
    for (platform::TEdit* field : EditFields()) {
        field->SetText("0");
    }
    ActiveLabel->Hide();
    ConnectLabel->Hide();
    ConnectProgressBar->Hide();
    ReadButton->Disable();
    WriteButton->Disable();
    AllTimer->SetInterval(TimerPeriodMs(process::Config.SensorsUpdateDelay));
}

std::array<platform::TEdit*, 10> TFormMain::EditFields() const {
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10};
}

std::array<platform::TStaticText*, 11> TFormMain::PhoneTexts() const {
    return {MobileSWVerStText, ProductNameStText, LanguageGroupStText, MobileHWIdStText,
            DescriptionStText, VBattMiddleStText, VBattMaxStText,      VBattMinStText,
            BattTempStText,    EnvTempStText,     VCXOTempStText};
}

void TFormMain::Exit(TObject* /*sender*/) {
    // A worker inside a library call holds the close for as long as the call lasts, and the window
    // cannot answer meanwhile: say so, and take the buttons away, before it stops answering.
    if (InitThread && !InitThread->Finished()) {
        closing_ = true;
        KeepClosingStatus();
    }
    StopInitThread();
    platform::Application.Terminate();
}

void TFormMain::KeepClosingStatus() {
    if (!closing_) {
        return;
    }
    ConnectLabel->SetCaption(kClosingStatus);
    ConnectLabel->SetFontColor(platform::clBlack);
    ConnectLabel->Show();
    for (platform::TButton* button :
         {Button5, WriteFileButton, ReadButton, WriteButton, ExitButton}) {
        button->Disable();
    }
    Repaint();
}

void TFormMain::CloseRequested() {
    Exit(this);
}

}  // namespace ui
