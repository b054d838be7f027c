// One lookup in the settings file.
#pragma once

#include <string_view>

#include "settings/TypeCode.h"

namespace settings {

// Opens `fileName` afresh, finds `key` in the first occurrence of `section` (see
// FindSettingValue), closes the file, and converts the value found (or `defaultText` when the
// file, section, key or value is missing or the file cannot be read) by `typeCode`. Never fails
// and reports nothing. A null `fileName` counts as a missing file.
SettingValue ReadSetting(const char* fileName, std::string_view section, std::string_view key,
                         std::string_view defaultText, std::string_view typeCode);

}  // namespace settings
