// The keys a scenario file may use, each with the conversion that checks and stores its value.
#pragma once

#include <functional>
#include <string_view>

#include "Scenario.h"

namespace sim {

// Applies one value to the scenario; false means the value is not acceptable for the key.
using Setter = std::function<bool(Scenario&, std::string_view)>;

// The setter of `key`, or an empty function when there is no such key. Besides the fixed keys,
// "latency.<EntryPoint>" exists for every entry point and "fail.<EntryPoint>" for those whose
// failure can be forced.
Setter FindSetter(std::string_view key);

}  // namespace sim
