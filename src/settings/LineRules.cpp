#include "settings/LineRules.h"

namespace settings {

bool IsCommentLine(std::string_view line) {
    return !line.empty() && (line.front() == ';' || line.front() == '#');
}

bool IsSectionHeader(std::string_view line) {
    return !line.empty() && line.front() == '[';
}

std::optional<std::string_view> SectionNameOf(std::string_view line) {
    std::string_view rest = line.substr(1);
    const std::size_t start = rest.find_first_not_of(']');
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    rest.remove_prefix(start);
    // No closing ']' leaves the name running to the end, line feed and all.
    return rest.substr(0, rest.find(']'));
}

KeyLine SplitKeyLine(std::string_view line) {
    KeyLine result;
    const std::size_t start = line.find_first_not_of('=');
    if (start == std::string_view::npos) {
        return result;  // empty, or nothing but '=': no key at all
    }
    std::string_view rest = line.substr(start);
    const std::size_t equals = rest.find('=');
    if (equals == std::string_view::npos) {
        result.key = rest;
        return result;
    }
    result.key = rest.substr(0, equals);
    std::string_view value = rest.substr(equals + 1);
    value = value.substr(0, value.find('\n'));
    if (!value.empty()) {
        result.value = value;
    }
    return result;
}

}  // namespace settings
