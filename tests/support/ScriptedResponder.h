// A responder for tests of the window: records every message box and answers file dialogs from a
// queue. A hook may act while a box is "open" (on the user-interface thread, inside the call that
// showed it), as a user or a signal would.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace testsupport {

class ScriptedResponder : public platform::Responder {
public:
    ScriptedResponder() { platform::SetResponder(this); }
    ~ScriptedResponder() override { platform::SetResponder(nullptr); }

    void MessageBox(const std::string& text) override {
        messages.push_back(text);
        if (whileMessageOpen) {
            whileMessageOpen(text);
        }
    }

    std::optional<std::string> RunFileDialog(const platform::FileDialogRequest& request) override {
        dialogs.push_back(request);
        if (fileAnswers.empty()) {
            return std::nullopt;  // cancelled
        }
        std::optional<std::string> answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    std::vector<std::string> messages;
    std::vector<platform::FileDialogRequest> dialogs;
    // Each dialog takes the next answer; nullopt or an empty queue cancels.
    std::deque<std::optional<std::string>> fileAnswers;
    std::function<void(const std::string&)> whileMessageOpen;
};

}  // namespace testsupport
