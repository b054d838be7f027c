// Fuzzes the settings file scanner and the type-code conversions. Input: the wanted section, the
// wanted key and a type code, one a line, then the file's contents (readable seeds). Each input
// is scanned with pieces of 8 and of 1023 characters.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "FuzzCheck.h"
#include "settings/SettingsFileScanner.h"
#include "settings/TypeCode.h"

namespace {

std::string_view TakeLine(std::string_view& input) {
    const std::size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return line;
}

void ScanAndConvert(std::string contents, std::string_view section, std::string_view key,
                    std::string_view typeCode, std::size_t pieceSize) {
    // fmemopen refuses a zero-sized buffer; an empty file is then simply not scanned.
    std::FILE* file = fmemopen(contents.data(), contents.size(), "r");
    if (file == nullptr) {
        return;
    }
    const std::optional<std::string> value =
        settings::FindSettingValue(file, section, key, pieceSize);
    std::fclose(file);
    if (value) {
        FUZZ_CHECK(!value->empty());
        FUZZ_CHECK(value->size() < pieceSize);  // the key and its '=' took room too
        FUZZ_CHECK(value->find('\n') == std::string::npos);
        FUZZ_CHECK(value->find('\0') == std::string::npos);
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
    for (const std::size_t pieceSize : {std::size_t{8}, settings::kLinePieceSize}) {
        ScanAndConvert(std::string(input), section, key, typeCode, pieceSize);
    }
    return 0;
}
