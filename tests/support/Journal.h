// The simulator's call journal as tests read it: one call a line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

struct JournalCall {
    long long timeMs = 0;
    std::string name;       // the entry point, or a guard's word (CONCURRENT, AFTER-CLOSE)
    std::string arguments;  // as written, between the name and " -> "
    std::string result;     // after " -> "
    std::string line;       // the whole line
};

std::vector<JournalCall> ReadJournal(const std::filesystem::path& file);
// The names of the calls, in order.
std::vector<std::string> CallNames(const std::vector<JournalCall>& calls);
// The calls of one entry point.
std::vector<JournalCall> CallsOf(const std::vector<JournalCall>& calls, const std::string& name);
// Lines naming a guard violation (CONCURRENT or AFTER-CLOSE).
std::vector<std::string> GuardViolations(const std::vector<JournalCall>& calls);
// A printable text argument as the journal writes it: in quotes, '"' and '\' escaped.
std::string JournalQuoted(const std::string& text);

}  // namespace testsupport
