#include "platform/FileFilter.h"

namespace platform::detail {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::string Patterns(std::string_view patterns) {
    std::string joined;
    for (std::string_view pattern : Split(patterns, ';')) {
        if (pattern.empty()) {
            continue;
        }
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += pattern;
    }
    return joined.empty() ? std::string("*") : joined;
}

}  // namespace

std::vector<std::string> NameFilters(std::string_view filter) {
    std::vector<std::string> filters;
    if (filter.empty()) {
        return filters;
    }
    const std::vector<std::string_view> parts = Split(filter, '|');
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        const std::string_view patterns = i + 1 < parts.size() ? parts[i + 1] : std::string_view{};
        filters.push_back(std::string(parts[i]) + " (" + Patterns(patterns) + ")");
    }
    return filters;
}

}  // namespace platform::detail
