#include "ScenarioParser.h"

#include <set>
#include <string>

#include "ScenarioKeys.h"
#include "Values.h"

namespace sim {

namespace {

// At most this much of a bad line and its key go into the error text, so that it fits the
// 257-byte buffer of WComGetErrorString whole.
constexpr std::size_t kQuotedLineMax = 100;
constexpr std::size_t kQuotedKeyMax = 60;

std::string LineError(std::size_t number, std::string_view line, const std::string& what) {
    std::string quoted(line.substr(0, kQuotedLineMax));
    if (line.size() > kQuotedLineMax) {
        quoted += "...";
    }
    return "scenario line " + std::to_string(number) + ": " + what + " in \"" + quoted + "\"";
}

}  // namespace

ParsedScenario ParseScenario(std::string_view text) {
    ParsedScenario parsed;
    std::set<std::string, std::less<>> seen;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const auto end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            parsed.error = LineError(number, line, "expected key=value");
            return parsed;
        }
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = Trim(line.substr(equals + 1));
        const std::string keyText(key.substr(0, kQuotedKeyMax));
        const Setter setter = FindSetter(key);
        if (!setter) {
            parsed.error = LineError(number, line, "unknown key '" + keyText + "'");
            return parsed;
        }
        if (!seen.insert(std::string(key)).second) {
            parsed.error = LineError(number, line, "key '" + keyText + "' given twice");
            return parsed;
        }
        if (value.find('\0') != std::string_view::npos || !setter(parsed.scenario, value)) {
            parsed.error = LineError(number, line, "bad value for key '" + keyText + "'");
            return parsed;
        }
    }
    return parsed;
}

}  // namespace sim
