// The platform's own message box and file dialogs, shown with the toolkit's widgets.
#pragma once

#include "platform/Dialogs.h"

namespace platform::qt {

// Each dialog is application-modal and runs a nested event loop, in which timer ticks and the
// workers' synchronised calls go on being served. A termination signal dismisses an open message
// box as OK and an open file dialog as Cancel. Thread: user-interface thread.
class QtResponder final : public Responder {
  public:
    void MessageBox(const std::string& text) override;
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override;
};

}  // namespace platform::qt
