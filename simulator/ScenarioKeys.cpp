#include "ScenarioKeys.h"

#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Values.h"

namespace sim {

namespace {
constexpr uint32_t kUint32Max = std::numeric_limits<uint32_t>::max();

// Stores a converted value into its field; false (and the field untouched) when there is none.
template <typename Parsed, typename Field>
bool Store(const std::optional<Parsed>& parsed, Field& field) {
    if (!parsed) {
        return false;
    }
    field = static_cast<Field>(*parsed);
    return true;
}

Setter Flag(bool Scenario::*field) {
    return [field](Scenario& s, std::string_view v) { return Store(ParseFlag(v), s.*field); };
}

Setter Unsigned32(uint32_t Scenario::*field) {
    return [field](Scenario& s, std::string_view v) {
        return Store(ParseUnsigned(v, kUint32Max), s.*field);
    };
}

Setter Milliseconds(uint32_t Scenario::*field) {
    return [field](Scenario& s, std::string_view v) {
        const auto n = ParseUnsigned(v, kUint32Max);
        return n && *n > 0 && Store(n, s.*field);
    };
}

Setter CountOr(std::optional<uint32_t> Scenario::*field, std::string_view word) {
    return [field, word](Scenario& s, std::string_view v) {
        const auto n = ParseCountOr(v, word);
        if (!n) {
            return false;
        }
        s.*field = n->count;  // nullopt stands for the word: no limit
        return true;
    };
}

// A text of at most `maxLength` characters (the room its buffer leaves for the terminator).
Setter Text(std::string Scenario::*field, std::size_t maxLength) {
    return [field, maxLength](Scenario& s, std::string_view v) {
        return v.size() <= maxLength && Store(std::optional(std::string(v)), s.*field);
    };
}

Setter SensorValue(Sensor sensor) {
    return [sensor](Scenario& s, std::string_view v) {
        auto& slot = s.sensors[static_cast<std::size_t>(sensor)];
        if (v == "drift") {
            slot.reset();
            return true;
        }
        return Store(ParseDouble(v), slot);
    };
}

// "id:name;id:name..."; an empty value is an empty list. Id 0 would end the list early.
bool SetSupportedMobiles(Scenario& s, std::string_view v) {
    std::vector<MobileModel> models;
    while (!v.empty()) {
        const auto end = v.find(';');
        const std::string_view entry = v.substr(0, end);
        const auto colon = entry.find(':');
        if (colon == std::string_view::npos) {
            return false;
        }
        const auto id = ParseInt32(Trim(entry.substr(0, colon)));
        if (!id || *id == 0) {
            return false;
        }
        models.push_back({*id, std::string(Trim(entry.substr(colon + 1)))});
        v = end == std::string_view::npos ? std::string_view{} : v.substr(end + 1);
    }
    s.supportedMobiles = std::move(models);
    return true;
}

const std::vector<std::pair<std::string_view, Setter>>& Keys() {
    static const std::vector<std::pair<std::string_view, Setter>> keys = {
        {"present", Flag(&Scenario::present)},
        {"service_mode_failures", Unsigned32(&Scenario::serviceModeFailures)},
        {"service_mode_ms_per_unit", Unsigned32(&Scenario::serviceModeMsPerUnit)},
        {"pings_before_answer", CountOr(&Scenario::pingsBeforeAnswer, "never")},
        {"pings_after_connect", CountOr(&Scenario::pingsAfterConnect, "unlimited")},
        {"gone_for_ms", CountOr(&Scenario::goneForMs, "forever")},
        {"gone_for_attempts", CountOr(&Scenario::goneForAttempts, "forever")},
        {"flaky_seed",
         [](Scenario& s, std::string_view v) {
             return Store(ParseUnsigned(v, std::numeric_limits<uint64_t>::max()), s.flakySeed);
         }},
        {"flaky_mean_up_ms", Milliseconds(&Scenario::flakyMeanUpMs)},
        {"flaky_mean_down_ms", Milliseconds(&Scenario::flakyMeanDownMs)},
        {"open_error_code",
         [](Scenario& s, std::string_view v) { return Store(ParseInt32(v), s.openErrorCode); }},
        {"open_error_text", Text(&Scenario::openErrorText, servicelib::kLibraryTextSize - 1)},
        {"error_text_unterminated", Flag(&Scenario::errorTextUnterminated)},
        {"library_version", Text(&Scenario::libraryVersion, servicelib::kLibraryTextSize - 1)},
        {"library_copyright", Text(&Scenario::libraryCopyright, servicelib::kLibraryTextSize - 1)},
        {"library_compile_date",
         Text(&Scenario::libraryCompileDate, servicelib::kLibraryTextSize - 1)},
        {"library_compile_time",
         Text(&Scenario::libraryCompileTime, servicelib::kLibraryTextSize - 1)},
        {"identity_unterminated", Flag(&Scenario::identityUnterminated)},
        {"supported_mobiles", SetSupportedMobiles},
        {"hardware_id",
         [](Scenario& s, std::string_view v) { return Store(ParseInt32(v), s.hardwareId); }},
        {"software_version",
         [](Scenario& s, std::string_view v) {
             return Store(ParseUnsigned(v, 0xFF), s.softwareVersion);
         }},
        {"language_group", Text(&Scenario::languageGroup, 15)},
        {"product_name", Text(&Scenario::productName, 18)},
        {"flash_serial",
         [](Scenario& s, std::string_view v) {
             return Store(ParseUnsigned(v, kUint32Max), s.flashSerial);
         }},
        {"mobile_info_unterminated", Flag(&Scenario::mobileInfoUnterminated)},
        {"vbatt_middle", SensorValue(Sensor::VBattMiddle)},
        {"vbatt_max", SensorValue(Sensor::VBattMax)},
        {"vbatt_min", SensorValue(Sensor::VBattMin)},
        {"batt_temp", SensorValue(Sensor::BattTemp)},
        {"env_temp", SensorValue(Sensor::EnvTemp)},
        {"vcxo_temp", SensorValue(Sensor::VcxoTemp)},
        {"block_present", Flag(&Scenario::blockPresent)},
        {"block_size", Unsigned32(&Scenario::blockSize)},
        {"block_version", Unsigned32(&Scenario::blockVersion)},
        {"block", [](Scenario& s, std::string_view v) { return Store(ParseBlockHex(v), s.block); }},
        {"eelite_image",
         [](Scenario& s, std::string_view v) {
             return !v.empty() && Store(std::optional(std::string(v)), s.eeliteImage);
         }},
    };
    return keys;
}

// The entry points whose failure a scenario can force: each then returns 0 and writes nothing.
constexpr EntryPoint kFailable[] = {
    EntryPoint::WComParity,
    EntryPoint::WComConfigure,
    EntryPoint::WComStartDebugging,
    EntryPoint::WGetHardwareIdentification,
    EntryPoint::WGetMobileInformation,
    EntryPoint::WGetFlashSerialNumber,
    EntryPoint::WGetSensorData,
    EntryPoint::WGiveEeliteBlockVersionAndSize,
    EntryPoint::WReadEeliteBlock,
    EntryPoint::WDeleteEeliteDataBlock,
    EntryPoint::WWriteEeliteBlock,
};

bool IsFailable(EntryPoint entryPoint) {
    for (EntryPoint candidate : kFailable) {
        if (candidate == entryPoint) {
            return true;
        }
    }
    return false;
}

// Keys named after an entry point: "latency.<Name>" and "fail.<Name>". Returns the setter, or an
// empty function when `key` is not such a key.
Setter PerEntryPointKey(std::string_view key) {
    const auto dot = key.find('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    const auto entryPoint = FindEntryPoint(key.substr(dot + 1));
    if (!entryPoint) {
        return {};
    }
    const std::size_t index = IndexOf(*entryPoint);
    const std::string_view prefix = key.substr(0, dot);
    if (prefix == "latency") {
        return [index](Scenario& s, std::string_view v) {
            return Store(ParseUnsigned(v, 600000), s.latencyMs[index]);
        };
    }
    if (prefix == "fail" && IsFailable(*entryPoint)) {
        return [index](Scenario& s, std::string_view v) {
            return Store(ParseFlag(v), s.fails[index]);
        };
    }
    return {};
}

}  // namespace

Setter FindSetter(std::string_view key) {
    for (const auto& [name, setter] : Keys()) {
        if (name == key) {
            return setter;
        }
    }
    return PerEntryPointKey(key);
}

}  // namespace sim
