#include "support/Journal.h"

#include <fstream>
#include <sstream>

namespace testsupport {

std::vector<JournalCall> ReadJournal(const std::filesystem::path& file) {
    std::vector<JournalCall> calls;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        JournalCall call;
        call.line = line;
        std::istringstream words(line);
        words >> call.timeMs >> call.name;
        const auto arrow = line.find(" -> ");
        const auto nameEnd = line.find(call.name) + call.name.size();
        if (arrow != std::string::npos) {
            call.result = line.substr(arrow + 4);
            if (arrow > nameEnd) {
                call.arguments = line.substr(nameEnd + 1, arrow - nameEnd - 1);
            }
        } else if (nameEnd < line.size()) {
            call.arguments = line.substr(nameEnd + 1);
        }
        calls.push_back(call);
    }
    return calls;
}

std::vector<std::string> CallNames(const std::vector<JournalCall>& calls) {
    std::vector<std::string> names;
    for (const JournalCall& call : calls) {
        names.push_back(call.name);
    }
    return names;
}

std::vector<JournalCall> CallsOf(const std::vector<JournalCall>& calls, const std::string& name) {
    std::vector<JournalCall> matching;
    for (const JournalCall& call : calls) {
        if (call.name == name) {
            matching.push_back(call);
        }
    }
    return matching;
}

std::vector<std::string> GuardViolations(const std::vector<JournalCall>& calls) {
    std::vector<std::string> lines;
    for (const JournalCall& call : calls) {
        if (call.line.find("CONCURRENT") != std::string::npos ||
            call.line.find("AFTER-CLOSE") != std::string::npos) {
            lines.push_back(call.line);
        }
    }
    return lines;
}

std::string JournalQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace testsupport
