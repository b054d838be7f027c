// Reads a scenario file's text: `key=value` lines, `#` comments and blank lines.
#pragma once

#include <string>
#include <string_view>

#include "Scenario.h"

namespace sim {

struct ParsedScenario {
    Scenario scenario;
    // Empty when every line was understood; otherwise names the first bad line, its number and
    // text, e.g. "scenario line 3: unknown key 'foo' in \"foo=1\"". Nothing bad is skipped.
    std::string error;
};

// Starts from the default phone and applies each line in order. A key given twice is an error.
ParsedScenario ParseScenario(std::string_view text);

}  // namespace sim
