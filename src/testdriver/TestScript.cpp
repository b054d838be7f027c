#include "testdriver/TestScript.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <utility>

namespace testdriver {
namespace {

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

}  // namespace

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

}  // namespace testdriver
