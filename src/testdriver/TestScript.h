// The script of the test driver: what to press, type and answer, and when.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testdriver {

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
std::string EscapeLine(std::string_view text);

// Appends the lines to the file, creating it; flushed at once.
void AppendLines(const std::string& path, const std::vector<std::string>& lines);

// Reads the script at `path`; on the first line not understood, Script::error names it.
Script ParseScript(const std::string& path);

}  // namespace testdriver
