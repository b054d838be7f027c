// Fuzzes the settings file scanner and the type-code conversions. Input: the wanted section, the
// wanted key and a type code, one a line, then the file's contents (readable seeds). Each input
// is scanned with pieces of 8 and of 1023 characters. The value found, and the rest of the input,
// are also read as floats both ways the settings can read them.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "FuzzCheck.h"
#include "settings/CLocaleFloat.h"
#include "settings/SettingConversions.h"
#include "settings/SettingsFileScanner.h"
#include "settings/TypeCode.h"
#include "support/MemoryFile.h"

namespace {

std::string_view TakeLine(std::string_view& input) {
    const std::size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return line;
}

// The C-locale float reader gives what the settings' float conversion gives (on POSIX that is
// strtod_l in the "C" locale), bit for bit; NaNs are equal whatever their payload.
void CheckFloatReading(std::string_view text) {
    const double own = settings::ReadCLocaleFloat(text);
    const double reference = settings::ConvertFloat(text);
    FUZZ_CHECK((std::isnan(own) && std::isnan(reference)) ||
               std::memcmp(&own, &reference, sizeof own) == 0);
}

void ScanAndConvert(std::string contents, std::string_view section, std::string_view key,
                    std::string_view typeCode, std::size_t pieceSize) {
    std::optional<std::string> value;
    {
        // An empty file may not be made into a stream (fmemopen); it is then simply not scanned.
        const testsupport::MemoryFile file(contents);
        if (file.get() == nullptr) {
            return;
        }
        value = settings::FindSettingValue(file.get(), section, key, pieceSize);
    }
    if (value) {
        FUZZ_CHECK(!value->empty());
        FUZZ_CHECK(value->size() < pieceSize);  // the key and its '=' took room too
        FUZZ_CHECK(value->find('\n') == std::string::npos);
        FUZZ_CHECK(value->find('\0') == std::string::npos);
    }
    if (value) {
        CheckFloatReading(*value);
    }
    const settings::SettingValue converted =
        settings::ConvertSetting(value ? std::string_view(*value) : "default", typeCode);
    const settings::TypeCode code = settings::ParseTypeCode(typeCode);
    if (const auto* text = std::get_if<std::string>(&converted)) {
        FUZZ_CHECK(code.kind == settings::SettingKind::Text);
        FUZZ_CHECK(code.textBufferBytes == 0 ? text->empty() : text->size() < code.textBufferBytes);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view section = TakeLine(input);
    const std::string_view key = TakeLine(input);
    const std::string_view typeCode = TakeLine(input);
    CheckFloatReading(input);
    for (const std::size_t pieceSize : {std::size_t{8}, settings::kLinePieceSize}) {
        ScanAndConvert(std::string(input), section, key, typeCode, pieceSize);
    }
    return 0;
}
