// How one line of the settings file is read: comment, section header or key line.
//
// A "line" here is one piece as the scanner delivers it (at most one read's worth of characters,
// its line feed included when it fell into the piece). Nothing is trimmed and every comparison the
// caller makes on these results is exact and case-sensitive.
#pragma once

#include <optional>
#include <string_view>

namespace settings {

// A line whose first character is ';' or '#'.
bool IsCommentLine(std::string_view line);

// A line whose first character is '['.
bool IsSectionHeader(std::string_view line);

// The name a section header gives: the ']' characters directly after the '[' are skipped, the name
// runs up to the next ']' or, without one, to the end of the line, its line feed included. An empty
// name names no section (nullopt). The result views into `line`. Precondition: IsSectionHeader.
std::optional<std::string_view> SectionNameOf(std::string_view line);

// A key line split into key and value. The '=' characters at the start are skipped; the key runs
// up to the next '=' and the value from after it up to the line feed, so further '=' characters
// belong to the value. Without such an '=' the key is the whole rest of the line (line feed
// included) and there is no value. An empty value is reported as no value. Both views point into
// the line.
struct KeyLine {
    std::string_view key;
    std::optional<std::string_view> value;
};
KeyLine SplitKeyLine(std::string_view line);

}  // namespace settings
