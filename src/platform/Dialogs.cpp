#include "platform/Dialogs.h"

#include "platform/Application.h"
#include "platform/Backend.h"

namespace platform {
namespace {

// Touched only on the user-interface thread.
Responder* installedResponder = nullptr;

}  // namespace

Responder& CurrentResponder() {
    return installedResponder != nullptr ? *installedResponder : detail::PlatformResponder();
}

Responder* InstalledResponder() {
    return installedResponder;
}

void SetResponder(Responder* responder) {
    installedResponder = responder;
}

void ShowMessage(const std::string& text) {
    if (Application.CloseRequested()) {
        return;
    }
    CurrentResponder().MessageBox(text);
}

bool TFileDialog::Execute() {
    // Once the application is closing, a dialog would only hold up the shut-down: cancelled.
    if (Application.CloseRequested()) {
        return false;
    }
    const FileDialogRequest request{kind_, Title, Filter, DefaultExt, FileName};
    const std::optional<std::string> chosen = CurrentResponder().RunFileDialog(request);
    if (!chosen) {
        return false;
    }
    FileName = *chosen;
    return true;
}

}  // namespace platform
