#include "testdriver/TestDriver.h"
#include "testdriver/TestScript.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/LinkState.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Thread.h"
#include "ui/FormMain.h"

namespace testdriver {
namespace {

constexpr const char* kScriptVariable = "CORVANE_TEST_DRIVER";
constexpr const char* kMessagesVariable = "CORVANE_TEST_MESSAGES";
// How often wait-connected looks at the link, and how soon an action that found the
// user-interface thread busy is tried again.
constexpr uint32_t kPollMilliseconds = 50;
constexpr uint32_t kRetryMilliseconds = 10;

// Answers the application's message boxes and file dialogs without showing anything.
// Thread: user-interface thread only, like every responder.
class ScriptedResponder final : public platform::Responder {
  public:
    ScriptedResponder(std::string messagesPath, std::deque<std::optional<std::string>> answers)
        : messagesPath_(std::move(messagesPath)), answers_(std::move(answers)) {}

    void MessageBox(const std::string& text) override {
        AppendLines(messagesPath_, {EscapeLine(text)});
    }

    // The next queued answer; a dialog with none left is cancelled.
    std::optional<std::string> RunFileDialog(const platform::FileDialogRequest&) override {
        if (answers_.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

  private:
    std::string messagesPath_;
    std::deque<std::optional<std::string>> answers_;
};

// Every text on the window, one "Name=text" line each, and "Name enabled=0|1" for the buttons.
std::vector<std::string> SnapshotLines(const ui::TFormMain& form) {
    std::vector<std::string> lines;
    for (const auto& component : form.Components()) {
        const std::string& name = component->Name();
        if (auto* text = dynamic_cast<const platform::TStaticText*>(component.get())) {
            lines.push_back(name + "=" + EscapeLine(text->Caption()));
        } else if (auto* edit = dynamic_cast<const platform::TEdit*>(component.get())) {
            lines.push_back(name + "=" + EscapeLine(edit->Text()));
        } else if (auto* label = dynamic_cast<const platform::TLabel*>(component.get())) {
            lines.push_back(name + "=" + EscapeLine(label->Caption()) +
                            (label->Visible() ? "" : " (hidden)"));
        } else if (auto* button = dynamic_cast<const platform::TButton*>(component.get())) {
            lines.push_back(name + " enabled=" + (button->Enabled() ? "1" : "0"));
        }
    }
    lines.emplace_back("--");
    return lines;
}

// Runs the script's actions at their times, each on the user-interface thread through a
// synchronised call. It stops at the first action that finds the application ending, so it never
// acts on a window that is closing; StopTestDriver terminates it and serves its last call.
class TTestDriverThread final : public platform::TThread {
  public:
    TTestDriverThread(ui::TFormMain& form, std::vector<Action> actions)
        : TThread(false), form_(form), actions_(std::move(actions)) {
        Start();
    }

  protected:
    void Execute() override {
        for (const Action& action : actions_) {
            Pause(action.delayMs);
            if (Terminated()) {
                return;
            }
            if (action.kind == ActionKind::WaitConnected) {
                WaitConnected(action.timeoutMs);
                continue;
            }
            Outcome outcome = Outcome::Retry;
            while (outcome == Outcome::Retry) {
                Synchronize([&] { outcome = RunOnUserInterfaceThread(action); });
                if (outcome == Outcome::Stop) {
                    return;
                }
                if (outcome == Outcome::Retry) {
                    Pause(kRetryMilliseconds);
                }
                if (Terminated()) {
                    return;
                }
            }
        }
    }

  private:
    enum class Outcome { Done, Retry, Stop };

    // Waits until a phone is identified (its block read included), at most `timeoutMs`.
    void WaitConnected(uint32_t timeoutMs) {
        for (uint32_t waited = 0; !Terminated(); waited += kPollMilliseconds) {
            if (phonelink::MobileConnected.load(std::memory_order_acquire) != 0) {
                return;
            }
            if (waited >= timeoutMs) {
                std::fprintf(stderr, "test driver: no phone connected after %u ms\n", timeoutMs);
                return;
            }
            Pause(kPollMilliseconds);
        }
    }

    // Thread: user-interface thread.
    Outcome RunOnUserInterfaceThread(const Action& action) {
        if (platform::Application.Terminated() || platform::Application.CloseRequested() ||
            closeIssued_) {
            return Outcome::Stop;
        }
        // Served inside another synchronised call (a worker's update): act once it has returned.
        if (platform::SynchronizedCallDepth() > 1) {
            return Outcome::Retry;
        }
        switch (action.kind) {
            case ActionKind::Close:
                closeIssued_ = true;
                form_.Close();  // runs from the event loop once this call has returned
                return Outcome::Stop;
            case ActionKind::Click:
                if (auto* button = form_.Find<platform::TButton>(action.target)) {
                    button->Click();
                } else {
                    std::fprintf(stderr, "test driver: no button %s\n", action.target.c_str());
                }
                return Outcome::Done;
            case ActionKind::SetText:
                if (auto* edit = form_.Find<platform::TEdit>(action.target)) {
                    edit->SetText(action.text);
                } else {
                    std::fprintf(stderr, "test driver: no field %s\n", action.target.c_str());
                }
                return Outcome::Done;
            case ActionKind::Snapshot:
                AppendLines(action.target, SnapshotLines(form_));
                return Outcome::Done;
            case ActionKind::WaitConnected:
                return Outcome::Done;
        }
        return Outcome::Done;
    }

    ui::TFormMain& form_;
    const std::vector<Action> actions_;
    bool closeIssued_ = false;  // user-interface thread only
};

// The installed driver. Thread: main thread. The responder is never destroyed, so that a message
// box shown during shut-down is still answered.
struct DriverOwner {
    ScriptedResponder* responder = nullptr;
    std::vector<Action> actions;  // until Start hands them to the thread
    platform::ThreadPtr<TTestDriverThread> thread;
};

DriverOwner& Driver() {
    static DriverOwner owner;
    return owner;
}

}  // namespace

void InstallFromEnvironment() {
    const char* scriptPath = std::getenv(kScriptVariable);
    if (scriptPath == nullptr || *scriptPath == '\0' || Driver().responder != nullptr) {
        return;
    }
    const char* messages = std::getenv(kMessagesVariable);
    Script script = ParseScript(scriptPath);
    if (!script.error.empty()) {
        std::fprintf(stderr, "test driver: %s\n", script.error.c_str());
        script.actions.assign(1, Action{});  // close at once
    }
    Driver().responder =
        new ScriptedResponder(messages != nullptr ? messages : "", std::move(script.dialogAnswers));
    Driver().actions = std::move(script.actions);
    platform::SetResponder(Driver().responder);
}

void Start(ui::TFormMain& form) {
    if (Driver().responder == nullptr || Driver().thread) {
        return;
    }
    Driver().thread.reset(new TTestDriverThread(form, std::move(Driver().actions)));
}

void Stop() {
    Driver().thread.reset();
}

}  // namespace testdriver
