// The main window: its 62 components and its handlers.
//
// Thread: user-interface thread only. The connection worker reaches the window only through its
// synchronised updates, which run on this thread.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/Form.h"
#include "ui/FormMainComponents.h"

namespace ui {

using platform::TObject;

class TFormMain : public platform::TForm {
  public:
    explicit TFormMain(platform::TApplication* owner);
    ~TFormMain() override = default;

    // One field per component, in declaration order; each points at the component of its name,
    // which the form owns.
#define CORVANE_DECLARE_COMPONENT(type, name, ...) platform::type* name = nullptr;
    CORVANE_FORM_MAIN_COMPONENTS(CORVANE_DECLARE_COMPONENT)
#undef CORVANE_DECLARE_COMPONENT

    // Exit: stops the connection worker, then ends the message loop.
    void Exit(TObject* sender);
    // The link supervisor, once per timer period.
    void AllTimerTimer(TObject* sender);
    // Block transfer with the phone.
    void ReadPhoneBtn(TObject* sender);
    void ReadPhone();
    void WritePhone();
    void WritePhoneBtn(TObject* sender);
    // Block files.
    void ReadFileBtn(TObject* sender);
    void WriteFileBtn(TObject* sender);
    // The editor fields into CalibrationBlock, and back.
    void Form2PucWas();
    void PucWas2Form();

    // Closing the window in any way runs the same steps as Exit.
    void CloseRequested() override;

    // The status line while a close waits for the connection worker to return from the library.
    static constexpr const char* kClosingStatus =
        "Closing: waiting for the phone library to return...";
    // Once a close waits for the worker: shows that status in black, disables the five buttons and
    // paints the window at once. The worker's updates call it after they have run, so that none of
    // them takes the status away. Does nothing while no close waits.
    void KeepClosingStatus();

    // Edit1 to Edit10: the field of word n is EditFields()[n].
    std::array<platform::TEdit*, 10> EditFields() const;
    // The five identification texts and the six sensor texts, in the order in which a lost link
    // clears them.
    std::array<platform::TStaticText*, 11> PhoneTexts() const;

  private:
    bool closing_ = false;  // a close waits for the worker; never cleared, the window is ending

    void BindComponents();
    // The ten field texts, whole.
    std::vector<std::string> FieldTexts() const;
    // Shows the message that names the fields holding no clean word, if any; true when it did.
    bool RefuseUncleanFields();
    void SetStartingState();
    // Shows the status label in lime with the caption and paints the window at once.
    void ShowTransferStatus(const char* caption);
};

// The one main window; set by the application's form creation, never changed afterwards.
extern TFormMain* FormMain;

}  // namespace ui
