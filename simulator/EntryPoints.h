// The simulator's view of the 55 entry points: an index per name, in lookup order.
//
// Everything here is expanded from the one entry-point table the tool binds against, so a name
// that the scenario file refers to (latency.<Name>, fail.<Name>) is checked against that table.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "servicelib/EntryPointTable.h"

namespace sim {

enum class EntryPoint : std::size_t {
#define CORVANE_SIM_ENUMERATE(name, ...) name,
    CORVANE_ENTRY_POINTS(CORVANE_SIM_ENUMERATE, CORVANE_SIM_ENUMERATE)
#undef CORVANE_SIM_ENUMERATE
};

inline constexpr std::array kEntryPointNames = {
#define CORVANE_SIM_NAME(name, ...) std::string_view(#name),
    CORVANE_ENTRY_POINTS(CORVANE_SIM_NAME, CORVANE_SIM_NAME)
#undef CORVANE_SIM_NAME
};

inline constexpr std::size_t kEntryPointCount = kEntryPointNames.size();

inline constexpr std::size_t IndexOf(EntryPoint entryPoint) {
    return static_cast<std::size_t>(entryPoint);
}

inline constexpr std::string_view NameOf(EntryPoint entryPoint) {
    return kEntryPointNames[IndexOf(entryPoint)];
}

// The entry point exported under `name`, if any (exact, case-sensitive match).
inline std::optional<EntryPoint> FindEntryPoint(std::string_view name) {
    for (std::size_t i = 0; i < kEntryPointCount; ++i) {
        if (kEntryPointNames[i] == name) {
            return static_cast<EntryPoint>(i);
        }
    }
    return std::nullopt;
}

}  // namespace sim
