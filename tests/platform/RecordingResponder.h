// A responder that records what it is asked and answers the file dialogs from a script.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace platform_test {

class RecordingResponder : public platform::Responder {
  public:
    RecordingResponder() { platform::SetResponder(this); }
    ~RecordingResponder() override { platform::SetResponder(nullptr); }

    void MessageBox(const std::string& text) override { messages.push_back(text); }
    std::optional<std::string> RunFileDialog(const platform::FileDialogRequest& request) override {
        requests.push_back(request);
        return fileAnswer;
    }

    std::vector<std::string> messages;
    std::vector<platform::FileDialogRequest> requests;
    std::optional<std::string> fileAnswer;
};

}  // namespace platform_test
