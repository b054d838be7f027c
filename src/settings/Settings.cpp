#include "settings/Settings.h"

#include <array>
#include <variant>

#include "settings/ReadSetting.h"
#include "settings/TypeCode.h"

namespace settings {
namespace {

using SettingField =
    std::variant<int32_t Settings::*, uint8_t Settings::*, std::string Settings::*>;

struct SettingRow {
    const char* section;
    const char* key;
    const char* defaultText;
    const char* typeCode;
    SettingField field;
};

// Read in this order. The defaults here are texts converted by the same rules as the file's.
constexpr std::array<SettingRow, 7> kSettingRows{{
    {"Common", "ComNumber", "1", "I", &Settings::ComNumber},
    {"Common", "BaudRate", "57600", "L", &Settings::BaudRate},
    {"Common", "InitServiceModeDelay", "10", "I", &Settings::InitServiceModeDelay},
    {"Common", "SensorsUpdateDelay", "5", "I", &Settings::SensorsUpdateDelay},
    {"Debug", "DoTrace", "No", "BC", &Settings::DoTrace},
    {"Debug", "TraceFile", "trace.log", "S13", &Settings::TraceFile},
    {"Debug", "LogFile", "output.log", "S13", &Settings::LogFile},
}};

// Each row's variable must have the type its code stores, so that storing never drops a value.
constexpr bool FieldFitsCode(const SettingRow& row) {
    switch (ParseTypeCode(row.typeCode).kind) {
        case SettingKind::Integer32:
        case SettingKind::Boolean32:
            return std::holds_alternative<int32_t Settings::*>(row.field);
        case SettingKind::Integer8:
        case SettingKind::Boolean8:
            return std::holds_alternative<uint8_t Settings::*>(row.field);
        case SettingKind::Text:
            return std::holds_alternative<std::string Settings::*>(row.field);
        case SettingKind::Double:
            return false;  // no setting is held as a double
    }
    return false;
}

constexpr bool AllFieldsFit() {
    for (const SettingRow& row : kSettingRows) {
        if (!FieldFitsCode(row)) {
            return false;
        }
    }
    return true;
}
static_assert(AllFieldsFit(), "a setting's variable does not match its type code");

template <typename T>
void Store(Settings& settings, T Settings::*member, const SettingValue& value) {
    if (const T* converted = std::get_if<T>(&value)) {
        settings.*member = *converted;
    }
}

}  // namespace

Settings ReadAllSettings(const char* fileName) {
    Settings settings;
    for (const SettingRow& row : kSettingRows) {
        const SettingValue value =
            ReadSetting(fileName, row.section, row.key, row.defaultText, row.typeCode);
        std::visit([&](auto member) { Store(settings, member, value); }, row.field);
    }
    return settings;
}

}  // namespace settings
