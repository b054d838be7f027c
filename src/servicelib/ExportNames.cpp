#include "servicelib/ExportNames.h"

#include <utility>

namespace servicelib {

std::vector<std::string> ExportNameCandidates(std::string_view name,
                                              std::optional<std::size_t> argumentBytes) {
    std::vector<std::string> names{std::string(name)};
    const std::size_t first = argumentBytes.value_or(0);
    const std::size_t last = argumentBytes.value_or(kUnknownArgumentBytesMax);
    for (std::size_t bytes = first; bytes <= last; bytes += 4) {
        std::string decorated(name);
        decorated.append(1, '@').append(std::to_string(bytes));
        names.push_back(std::string(1, '_').append(decorated));
        names.push_back(std::move(decorated));
    }
    return names;
}

}  // namespace servicelib
