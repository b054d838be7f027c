#include "settings/ReadSetting.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "settings/SettingsFileScanner.h"

namespace settings {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::optional<std::string> LookUp(const char* fileName, std::string_view section,
                                  std::string_view key) {
    if (fileName == nullptr) {
        return std::nullopt;
    }
    // Carriage returns before line feeds are dropped by the scanner, so plain "r" reads the file
    // as text mode would on Windows. A folder opens but reads nothing: no value.
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName, "r"));
    if (!file) {
        return std::nullopt;
    }
    return FindSettingValue(file.get(), section, key);
}

}  // namespace

SettingValue ReadSetting(const char* fileName, std::string_view section, std::string_view key,
                         std::string_view defaultText, std::string_view typeCode) {
    const std::optional<std::string> value = LookUp(fileName, section, key);
    return ConvertSetting(value ? std::string_view(*value) : defaultText, typeCode);
}

}  // namespace settings
