#include "app/TestDriver.h"

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

namespace app {
namespace {

constexpr const char* kScriptVariable = "CORVANE_TEST_DRIVER";
constexpr const char* kMessagesVariable = "CORVANE_TEST_MESSAGES";
// How often wait-connected looks at the link, and how soon an action that found the
// user-interface thread busy is tried again.
constexpr uint32_t kPollMilliseconds = 50;
constexpr uint32_t kRetryMilliseconds = 10;

enum class ActionKind { Click, Close, WaitConnected, SetText, Snapshot };

struct Action {
    uint32_t delayMs = 0;  // after the previous action, or after the driver started
    ActionKind kind = ActionKind::Close;
    std::string target;      // the component (click, set) or the snapshot's file
    std::string text;        // set: the field's new text
    uint32_t timeoutMs = 0;  // wait-connected
};

struct Script {
    std::vector<Action> actions;
    std::deque<std::optional<std::string>> dialogAnswers;  // nothing: cancel
    std::string error;                                     // empty when all was understood
};

// One line of a message or a snapshot: backslash, line feed and carriage return escaped, so that
// every text stays on one line and can be restored exactly.
std::string EscapeLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '\\':
                line += "\\\\";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\r':
                line += "\\r";
                break;
            default:
                line += c;
        }
    }
    return line;
}

void AppendLines(const std::string& path, const std::vector<std::string>& lines) {
    std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "a");
    std::FILE* out = file != nullptr ? file : stderr;
    for (const std::string& line : lines) {
        std::fprintf(out, "%s\n", line.c_str());
        std::fflush(out);
    }
    if (file != nullptr) {
        std::fclose(file);
    }
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Splits off the first blank-separated word; `rest` keeps what follows, trimmed.
std::string_view NextWord(std::string_view& rest) {
    const auto end = rest.find_first_of(" \t");
    const std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : Trim(rest.substr(end));
    return word;
}

std::optional<uint32_t> ParseMilliseconds(std::string_view text) {
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// The action of "after <ms> <verb> ..." without its delay; an error text when it is not one.
std::string ParseTimedAction(std::string_view rest, Action& action) {
    const std::string_view verb = NextWord(rest);
    if (verb == "close" && rest.empty()) {
        action.kind = ActionKind::Close;
    } else if (verb == "click" && !rest.empty()) {
        action.kind = ActionKind::Click;
        action.target = NextWord(rest);
        if (!rest.empty()) {
            return "click takes one component name";
        }
    } else if (verb == "set" && !rest.empty()) {
        action.kind = ActionKind::SetText;
        action.target = NextWord(rest);
        action.text = rest;
    } else if (verb == "snapshot" && !rest.empty()) {
        action.kind = ActionKind::Snapshot;
        action.target = rest;
    } else if (verb == "wait-connected") {
        action.kind = ActionKind::WaitConnected;
        const std::optional<uint32_t> timeout = ParseMilliseconds(rest);
        if (!timeout) {
            return "wait-connected needs a timeout in milliseconds";
        }
        action.timeoutMs = *timeout;
    } else {
        return "unknown action";
    }
    return {};
}

Script ParseScript(const std::string& path) {
    Script script;
    std::ifstream file(path);
    if (!file) {
        script.error = "cannot read the script '" + path + "'";
        return script;
    }
    std::string raw;
    for (int number = 1; std::getline(file, raw); ++number) {
        std::string_view rest = Trim(raw);
        if (rest.empty() || rest.front() == '#') {
            continue;
        }
        const std::string_view keyword = NextWord(rest);
        std::string error;
        if (keyword == "dialog" && !rest.empty()) {
            script.dialogAnswers.emplace_back(rest == "cancel" ? std::nullopt
                                                               : std::optional<std::string>(rest));
        } else if (keyword == "after") {
            Action action;
            const std::optional<uint32_t> delay = ParseMilliseconds(NextWord(rest));
            error = delay ? ParseTimedAction(rest, action) : "after needs a delay in milliseconds";
            action.delayMs = delay.value_or(0);
            script.actions.push_back(std::move(action));
        } else {
            error = "expected 'after' or 'dialog'";
        }
        if (!error.empty()) {
            script.error =
                "script line " + std::to_string(number) + ": " + error + " in \"" + raw + "\"";
            return script;
        }
    }
    return script;
}

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

// The installed driver. Thread: main thread (install and stop); the responder is never destroyed,
// so that a message box shown during shut-down is still answered.
struct DriverOwner {
    ScriptedResponder* responder = nullptr;
    platform::ThreadPtr<TTestDriverThread> thread;
};

DriverOwner& Driver() {
    static DriverOwner owner;
    return owner;
}

}  // namespace

void InstallTestDriverFromEnvironment(ui::TFormMain& form) {
    const char* scriptPath = std::getenv(kScriptVariable);
    if (scriptPath == nullptr || *scriptPath == '\0' || Driver().responder != nullptr) {
        return;
    }
    const char* messages = std::getenv(kMessagesVariable);
    Script script = ParseScript(scriptPath);
    if (!script.error.empty()) {
        // A run that cannot do what the test asked ends at once instead of idling to a timeout.
        std::fprintf(stderr, "test driver: %s\n", script.error.c_str());
        script.actions.assign(1, Action{});
    }
    Driver().responder =
        new ScriptedResponder(messages != nullptr ? messages : "", std::move(script.dialogAnswers));
    platform::SetResponder(Driver().responder);
    Driver().thread.reset(new TTestDriverThread(form, std::move(script.actions)));
}

void StopTestDriver() {
    Driver().thread.reset();
}

}  // namespace app
